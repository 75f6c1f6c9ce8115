#include "controls/grid/theme/theme_notifier.h"

#include "controls/grid/theme/office_theme.h"
#include "platform/text/ini_file.h"
#include "platform/text/user_registry.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>

#include <algorithm>

namespace grid {

namespace {
TThemeNotifier* theNotifier = nullptr;
}  // namespace

TThemeNotifier::TThemeNotifier(const QString& registryFile, QObject* parent)
    : QObject(parent), file_(QFileInfo(registryFile).absoluteFilePath())
{
    const platform::IniFile registry(file_);
    const int version = GetInstalledOfficeVersion(registry);
    if (version == 0)
        return;
    key_ = version == 2 ? kOffice14CommonKey : kOffice12CommonKey;
    values_ = ReadKeyValues();
    // The file is replaced by a rename when saved, so its folder is watched
    // too and the file watched again whenever it reappears.
    watcher_.addPath(QFileInfo(file_).absolutePath());
    watcher_.addPath(file_);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &TThemeNotifier::FileTouched);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &TThemeNotifier::FileTouched);
}

TThemeNotifier::~TThemeNotifier()
{
    if (theNotifier == this)
        theNotifier = nullptr;
}

void TThemeNotifier::RegisterWindow(IOfficeThemeWindow* window)
{
    if (Watching() && window && !HasWindow(window))
        windows_.push_back(window);
}

void TThemeNotifier::UnRegisterWindow(IOfficeThemeWindow* window)
{
    const auto it = std::find(windows_.begin(), windows_.end(), window);
    if (it != windows_.end())
        windows_.erase(it);
}

bool TThemeNotifier::HasWindow(IOfficeThemeWindow* window) const
{
    return std::find(windows_.begin(), windows_.end(), window) != windows_.end();
}

QStringList TThemeNotifier::ReadKeyValues() const
{
    const platform::IniFile registry(file_);
    const QString below = key_ + QLatin1Char('\\');
    QStringList values;
    for (const QString& section : registry.Sections()) {
        if (section.compare(key_, Qt::CaseInsensitive) != 0 && !section.startsWith(below, Qt::CaseInsensitive))
            continue;
        for (const QString& key : registry.Keys(section))
            values << section.toLower() + QLatin1Char('\n') + key.toLower() + QLatin1Char('=') +
                          registry.ReadString(section, key);
    }
    values.sort();
    return values;
}

void TThemeNotifier::Rewatch()
{
    if (!watcher_.files().contains(file_) && QFileInfo::exists(file_))
        watcher_.addPath(file_);
}

void TThemeNotifier::FileTouched()
{
    Rewatch();
    QStringList values = ReadKeyValues();
    if (values == values_)
        return;
    values_ = std::move(values);
    QPointer<TThemeNotifier> alive(this);
    emit OfficeThemeChange();
    // A window may unregister itself, or others, while being told.
    const std::vector<IOfficeThemeWindow*> list = windows_;
    for (IOfficeThemeWindow* window : list) {
        if (!alive)
            return;
        if (HasWindow(window))
            window->OfficeThemeChanged();
    }
}

TThemeNotifier* GetThemeNotifier()
{
    if (!theNotifier)
        theNotifier = new TThemeNotifier(platform::UserRegistryFileName(), QCoreApplication::instance());
    return theNotifier;
}

TThemeNotifier* ThemeNotifierIfAny()
{
    return theNotifier;
}

}  // namespace grid
