#pragma once
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QStringList>

#include <vector>

namespace grid {

// A grid that follows the office theme: told on the GUI thread when the
// theme values change.
class IOfficeThemeWindow
{
public:
    virtual ~IOfficeThemeWindow() = default;
    virtual void OfficeThemeChanged() = 0;
};

// Watches the theme key of the user registry file and tells the registered
// windows, in the order they registered, when a value under the key changes.
// It watches only when an office suite of version 12 or 14 is present when it
// is made; otherwise registering does nothing.
class TThemeNotifier : public QObject
{
    Q_OBJECT
public:
    explicit TThemeNotifier(const QString& registryFile, QObject* parent = nullptr);
    ~TThemeNotifier() override;

    bool Watching() const { return !key_.isEmpty(); }
    // The watched key path; empty when not watching.
    QString Key() const { return key_; }

    // A window registered twice is kept once; removing one that is not
    // registered changes nothing.
    void RegisterWindow(IOfficeThemeWindow* window);
    void UnRegisterWindow(IOfficeThemeWindow* window);
    bool HasWindow(IOfficeThemeWindow* window) const;
    const std::vector<IOfficeThemeWindow*>& WinList() const { return windows_; }

signals:
    // Sent before the windows are told.
    void OfficeThemeChange();

private:
    QStringList ReadKeyValues() const;
    void FileTouched();
    void Rewatch();

    QString file_;
    QString key_;
    QStringList values_;
    QFileSystemWatcher watcher_;
    std::vector<IOfficeThemeWindow*> windows_;
};

// The program's one notifier, on the user registry file, made on the first
// call and owned by the application; deleting it clears the reference.
TThemeNotifier* GetThemeNotifier();
// The notifier when one was made; never makes one.
TThemeNotifier* ThemeNotifierIfAny();

}  // namespace grid
