#pragma once

#include "console/ParameterComparison.h"

#include <QDialog>

#include <string>
#include <vector>

// The small window Compare shows: one row per parameter whose controller
// value differs from the file's, or "no differences", then the plausibility
// rules either side breaks.
class CompareDialog : public QDialog {
    Q_OBJECT
public:
    CompareDialog(const std::vector<ParameterDifference>& differences, const std::string& broken,
                  QWidget* parent = nullptr);
};
