#pragma once
#include <QString>
#include <functional>

class QWidget;

// A save-file dialog: a filter in the form "Description (*.ext)|*.ext"
// (pairs separated by "|"), the folder it opens in and the proposed name. It
// never asks about overwriting; callers that must ask do so themselves.
class SaveFileDialog
{
public:
    QString Filter;
    QString InitialDir;
    QString FileName;

    // Asks for a file name; true with FileName set when the user confirms.
    bool Execute(QWidget* parent = nullptr);

    // Replaces the desktop dialog (tests): the chooser gets the dialog and
    // returns the chosen full path, or an empty text for Cancel. nullptr
    // restores the desktop dialog.
    using Chooser = std::function<QString(const SaveFileDialog&)>;
    static void SetChooser(Chooser chooser);

    // The filter in the desktop dialog's form ("Description (*.ext)").
    QString QtFilter() const;
};
