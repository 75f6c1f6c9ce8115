#pragma once
#include <QObject>
#include <QString>

namespace grid {

// The base of pluggable cell checkers (spelling, formats): a grid asks it to
// correct a cell text and to mark errors in it, over a range on request or
// when an edited cell is validated. The base checks nothing. A grid holds
// its checker weakly: a deleted checker is no longer asked.
class TExStringGridCheck : public QObject
{
public:
    using QObject::QObject;

    // A range check makes each cell the current one and restores it after.
    bool GotoCell = false;
    // Validation of an edited cell corrects its new text before the
    // validation event, and marks the validated text after it.
    bool AutoCorrect = false;
    bool AutoMarkError = false;
    // A range check corrects / marks; both are given the unmarked text, so
    // with both on the marked text wins.
    bool UseCorrect = false;
    bool UseMarkError = false;

    virtual QString MarkError(int col, int row, const QString& s) { return s; }
    virtual QString Correct(int col, int row, const QString& s) { return s; }
    virtual void StartCheck() {}
    virtual void StopCheck() {}
};

} // namespace grid
