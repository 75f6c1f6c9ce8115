#include "save_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QStringList>

namespace {
SaveFileDialog::Chooser g_chooser;
}

void SaveFileDialog::SetChooser(Chooser chooser)
{
    g_chooser = std::move(chooser);
}

QString SaveFileDialog::QtFilter() const
{
    const QStringList parts = Filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString patterns = parts[i + 1].trimmed().replace(QLatin1Char(';'), QLatin1Char(' '));
        filters.append(description.endsWith(QLatin1Char('(') + patterns + QLatin1Char(')'))
                           ? description
                           : description + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    return filters.join(QStringLiteral(";;"));
}

bool SaveFileDialog::Execute(QWidget* parent)
{
    QString chosen;
    if (g_chooser) {
        chosen = g_chooser(*this);
    } else {
        const QString start = FileName.isEmpty() ? InitialDir : QDir(InitialDir).filePath(FileName);
        chosen = QFileDialog::getSaveFileName(parent, QString(), start, QtFilter(), nullptr,
                                              QFileDialog::DontConfirmOverwrite);
    }
    if (chosen.isEmpty())
        return false;
    FileName = chosen;
    return true;
}
