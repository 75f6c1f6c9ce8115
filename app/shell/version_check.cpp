#include "version_check.h"

#include "device_type.h"
#include "int_text.h"

#include <QDesktopServices>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace {

// The maker's site unless the environment names another one.
const char* const kBuiltInSite = "http://www.keltrona.example";

QUrl g_site;
UrlOpener g_opener;

bool IsModelType(int type)
{
    return type >= 0 && type <= 29;
}

QUrl OnSite(const QString& path, const QString& query = QString(), const QString& fragment = QString())
{
    QUrl url = MakerSite();
    url.setPath(path);
    if (!query.isEmpty())
        url.setQuery(query);
    if (!fragment.isEmpty())
        url.setFragment(fragment);
    return url;
}

} // namespace

QUrl MakerSite()
{
    if (g_site.isValid() && !g_site.isEmpty())
        return g_site;
    const QString env = qEnvironmentVariable("ORVANO_MAKER_SITE");
    return QUrl(env.isEmpty() ? QString::fromLatin1(kBuiltInSite) : env);
}

void SetMakerSite(const QUrl& site)
{
    g_site = site;
}

QString VersionQueryCode(int type)
{
    return QString::fromLatin1(VersionCheckCodeTable[IsModelType(type) ? type : 0]);
}

QString VersionQueryVersion(int type)
{
    return VersionOf(IsModelType(type) ? type : 0);
}

QUrl VersionServiceUrl(int type)
{
    return OnSite(QStringLiteral("/home/download/GetversionSW.asp"),
                  QStringLiteral("nomesw=") + VersionQueryCode(type));
}

QUrl DownloadPageUrl(int type)
{
    return OnSite(QStringLiteral("/Home/download/download.asp"), QString(), DeviceCodeOf(type));
}

QUrl HomePageUrl(int type)
{
    if (!IsModelType(type))
        return QUrl();
    return OnSite(QStringLiteral("/HOME/default.asp"), QStringLiteral("frompg=") + SoftwareCodeOf(type));
}

int Conv_Version(const QString& Ver_str)
{
    const int blank = Ver_str.indexOf(QLatin1Char(' '));
    const QString s = (blank < 0 ? Ver_str : Ver_str.mid(blank + 1)).trimmed();
    if (s.size() < 5)
        return -1;
    // The second character (the point) is skipped whatever it is; the rest
    // is read as a decimal number (no hexadecimal prefixes).
    const QString digits = s.left(1) + s.mid(2, 3);
    for (const QChar c : digits)
        if (!c.isDigit() && c != QLatin1Char('+') && c != QLatin1Char('-'))
            return -1;
    int32_t value = 0;
    return TryStrToInt(digits, value) ? value : -1;
}

bool IsNewerVersion(const QString& answer, int type)
{
    const QString r = answer.toUpper().trimmed();
    if (r.isEmpty() || r == QLatin1String("VER. 0.000"))
        return false;
    const int local = Conv_Version(VersionQueryVersion(type));
    const int remote = Conv_Version(answer.trimmed());
    return local != -1 && remote != -1 && remote > local;
}

QString LinkAnchor(const QUrl& url, const QString& text)
{
    return QStringLiteral("<a href=\"%1\">%2</a>")
        .arg(url.toString(QUrl::FullyEncoded).toHtmlEscaped(), text.toHtmlEscaped());
}

void OpenUrl(const QUrl& url)
{
    if (!url.isValid())
        return;
    if (g_opener)
        g_opener(url);
    else
        QDesktopServices::openUrl(url);
}

void SetUrlOpener(UrlOpener opener)
{
    g_opener = std::move(opener);
}

VersionQuery::VersionQuery(QObject* parent)
    : QObject(parent)
    , m_network(new QNetworkAccessManager(this))
{
}

void VersionQuery::Start(int type, std::function<void(bool newer)> done)
{
    QNetworkRequest request(VersionServiceUrl(type));
    request.setTransferTimeout(m_timeoutMs);
    request.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    QNetworkReply* reply = m_network->get(request);
    ++m_pending;
    connect(reply, &QNetworkReply::finished, this, [this, reply, type, done = std::move(done)] {
        --m_pending;
        reply->deleteLater();
        const QString answer =
            reply->error() == QNetworkReply::NoError ? QString::fromUtf8(reply->readAll()) : QString();
        if (done)
            done(IsNewerVersion(answer, type));
    });
}
