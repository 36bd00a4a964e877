#pragma once

#include "console/ParameterComparison.h"

#include <QDialog>

#include <vector>

// The small window Compare shows: one row per parameter whose controller
// value differs from the file's, or "no differences".
class CompareDialog : public QDialog {
    Q_OBJECT
public:
    explicit CompareDialog(const std::vector<ParameterDifference>& differences, QWidget* parent = nullptr);
};
