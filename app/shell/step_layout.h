#pragma once
#include <QList>
#include <QString>

// The numbered steps of the main window per device type.

// One step button: its object name, its step (1-based) and its column
// (0 = left at 80, 1 = right at 258).
struct StepButtonPlace
{
    QString name;
    int step;
    int column;
};

// Every step button shown for the type, steps 1 and 2 included, in step order.
QList<StepButtonPlace> StepButtonsOf(int type);

// Whether the type shows the "Scan && Decode" button.
bool HasScanDecode(int type);

// The object names of every step button the main window has, in creation order.
const QList<QString>& AllStepButtonNames();

constexpr int StepButtonTop(int step) { return 112 + 44 * (step - 1); }
constexpr int StepLabelTop(int step) { return 128 + 44 * (step - 1); }
constexpr int StepColumnLeft(int column) { return column == 0 ? 80 : 258; }
