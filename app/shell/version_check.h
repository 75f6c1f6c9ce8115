#pragma once
#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>

class QNetworkAccessManager;

// The maker's web host (scheme, host and port) that serves the version
// service, the download page and the home page: ORVANO_MAKER_SITE, else the
// built-in site. SetMakerSite replaces it (an empty URL restores it).
QUrl MakerSite();
void SetMakerSite(const QUrl& site);

// The code and built version the version service is asked about: the type's
// own for 0..29, those of type 0 for any other type.
QString VersionQueryCode(int type);
QString VersionQueryVersion(int type);

// The service's address for the type: /home/download/GetversionSW.asp?nomesw=<code>.
QUrl VersionServiceUrl(int type);
// The download page: /Home/download/download.asp#<device code>.
QUrl DownloadPageUrl(int type);
// The home page: /HOME/default.asp?frompg=<software code>; empty for types outside 0..29.
QUrl HomePageUrl(int type);

// The version number of a text such as "VER. 1.107" or "1.107": the
// characters 1, 3, 4 and 5 of what follows the first blank, as an integer
// (1107); -1 when that yields no number.
int Conv_Version(const QString& Ver_str);

// Whether the service's answer names a version newer than the type's built one.
bool IsNewerVersion(const QString& answer, int type);

// A link to url showing text, for a rich-text label.
QString LinkAnchor(const QUrl& url, const QString& text);

// Opens a web address in the desktop's browser; an empty or invalid address
// opens nothing. SetUrlOpener replaces the browser (tests); nullptr restores it.
using UrlOpener = std::function<void(const QUrl&)>;
void OpenUrl(const QUrl& url);
void SetUrlOpener(UrlOpener opener);

// Asks the version service without blocking: one GET with a time-out; any
// failure (no connection, an error status, the time-out, an answer without a
// version) counts as no newer version and is not reported.
class VersionQuery : public QObject
{
    Q_OBJECT
public:
    explicit VersionQuery(QObject* parent = nullptr);

    void Start(int type, std::function<void(bool newer)> done);

    void SetTimeout(int ms) { m_timeoutMs = ms; }
    int Timeout() const { return m_timeoutMs; }
    // Queries started and not yet answered.
    int Pending() const { return m_pending; }

private:
    QNetworkAccessManager* m_network;
    int m_timeoutMs = 15000;
    int m_pending = 0;
};
