#include "widgets/TiCustomComponent.h"

TiCustomComponent::TiCustomComponent(QWidget* parent) : TiVCLComponent(parent) {}
