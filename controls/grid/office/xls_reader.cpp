#include "controls/grid/core/grid_types.h"
#include "controls/grid/office/workbook.h"

#include <QDataStream>
#include <QFile>

#include <freexl.h>

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

// Present in sanitizer builds only.
extern "C" void __sanitizer_set_death_callback(void (*callback)()) __attribute__((weak));

namespace grid::office {

namespace {

[[noreturn]] void Incorrect()
{
    throw GridError(QStringLiteral("Incorrect XLS file"));
}

// An .xls workbook open through FreeXL, closed on every path.
class XlsFile
{
public:
    explicit XlsFile(const QString& fileName)
    {
        if (freexl_open(QFile::encodeName(fileName).constData(), &handle_) != FREEXL_OK) {
            if (handle_)
                freexl_close(handle_);
            Incorrect();
        }
    }
    ~XlsFile() { freexl_close(handle_); }
    XlsFile(const XlsFile&) = delete;
    XlsFile& operator=(const XlsFile&) = delete;

    QStringList Names() const
    {
        unsigned int count = 0;
        if (freexl_get_info(handle_, FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK || count == 0 || count > 65535)
            Incorrect();
        QStringList names;
        for (unsigned int i = 0; i < count; ++i) {
            const char* name = nullptr;
            if (freexl_get_worksheet_name(handle_, static_cast<unsigned short>(i), &name) != FREEXL_OK)
                Incorrect();
            names << QString::fromUtf8(name ? name : "");
        }
        return names;
    }

    // Every cell that holds a value; the used range is found from them.
    Sheet Cells(int index, const QString& name) const
    {
        if (freexl_select_active_worksheet(handle_, static_cast<unsigned short>(index)) != FREEXL_OK)
            Incorrect();
        unsigned int rows = 0;
        unsigned short cols = 0;
        if (freexl_worksheet_dimensions(handle_, &rows, &cols) != FREEXL_OK)
            Incorrect();
        Sheet sheet;
        sheet.Name = name;
        for (unsigned int r = 0; r < rows; ++r) {
            for (unsigned short c = 0; c < cols; ++c) {
                FreeXL_CellValue value;
                if (freexl_get_cell_value(handle_, r, c, &value) != FREEXL_OK)
                    Incorrect();
                QString text;
                switch (value.type) {
                case FREEXL_CELL_NULL:
                    continue;
                case FREEXL_CELL_INT:
                    text = QString::number(value.value.int_value);
                    break;
                case FREEXL_CELL_DOUBLE:
                    text = NumberText(value.value.double_value);
                    break;
                case FREEXL_CELL_DATE:
                case FREEXL_CELL_DATETIME:
                case FREEXL_CELL_TIME: {
                    // FreeXL gives ISO texts, already on the file's date base.
                    text = QString::fromUtf8(value.value.text_value ? value.value.text_value : "");
                    if (const std::optional<double> days = IsoDays(text))
                        text = DateText(*days);
                    break;
                }
                default:
                    text = QString::fromUtf8(value.value.text_value ? value.value.text_value : "");
                    break;
                }
                sheet.Cells.push_back({int(r) + 1, int(c) + 1, text, false});
            }
        }
        return sheet;
    }

private:
    const void* handle_ = nullptr;
};

// What one read gives back: the names, and the sheet when one was asked for.
struct XlsResult
{
    QStringList Names;
    std::optional<Sheet> Chosen;
};

XlsResult ReadInProcess(const QString& fileName, bool withSheet, const std::optional<QString>& name)
{
    const XlsFile file(fileName);
    XlsResult result{file.Names(), std::nullopt};
    if (!withSheet)
        return result;
    // The file's active tab is not known here: the first sheet stands for it.
    const int chosen = name ? int(result.Names.lastIndexOf(*name)) : 0;
    if (chosen >= 0)
        result.Chosen = file.Cells(chosen, result.Names[chosen]);
    return result;
}

QByteArray Encode(const XlsResult& r)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << quint8(0) << r.Names << bool(r.Chosen);
    if (r.Chosen) {
        out << r.Chosen->Name << quint64(r.Chosen->Cells.size());
        for (const SheetCell& c : r.Chosen->Cells)
            out << qint32(c.Row) << qint32(c.Col) << c.Text << c.Error;
    }
    return bytes;
}

XlsResult Decode(const QByteArray& bytes)
{
    QDataStream in(bytes);
    quint8 kind = 0;
    in >> kind;
    if (kind != 0) {
        QString text;
        in >> text;
        throw GridError(text.isEmpty() ? QStringLiteral("Incorrect XLS file") : text);
    }
    XlsResult r;
    bool chosen = false;
    in >> r.Names >> chosen;
    if (chosen) {
        Sheet sheet;
        quint64 count = 0;
        in >> sheet.Name >> count;
        for (quint64 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
            qint32 row = 0, col = 0;
            SheetCell c;
            in >> row >> col >> c.Text >> c.Error;
            c.Row = row;
            c.Col = col;
            sheet.Cells.push_back(std::move(c));
        }
        r.Chosen = std::move(sheet);
    }
    if (in.status() != QDataStream::Ok)
        Incorrect();
    return r;
}

bool WriteAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// FreeXL reads past its own buffers on some damaged files: it runs in a
// child process, so such a file is refused without touching ours. The
// child hands the result back through a pipe; a child that dies, hangs or
// says nothing means an incorrect file.
XlsResult ReadIsolated(const QString& fileName, bool withSheet, const std::optional<QString>& name)
{
    constexpr auto kTimeLimit = std::chrono::seconds(60);
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        Incorrect();
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        Incorrect();
    }
    if (pid == 0) {
        ::close(fds[0]);
        // A report the library's fault raises stays out of our output, and
        // the parent's death hooks (a fuzzer's) are not the child's.
        if (const int null = ::open("/dev/null", O_WRONLY); null >= 0)
            ::dup2(null, STDERR_FILENO);
        if (__sanitizer_set_death_callback != nullptr)
            __sanitizer_set_death_callback(nullptr);
        QByteArray bytes;
        try {
            bytes = Encode(ReadInProcess(fileName, withSheet, name));
        } catch (const GridError& e) {
            QDataStream out(&bytes, QIODevice::WriteOnly);
            out << quint8(1) << e.Message();
        } catch (...) {
            ::_exit(2);
        }
        ::_exit(WriteAll(fds[1], bytes) ? 0 : 3);
    }
    ::close(fds[1]);
    QByteArray bytes;
    bool timedOut = false;
    const auto deadline = std::chrono::steady_clock::now() + kTimeLimit;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline -
                                                                                std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            timedOut = true;
            break;
        }
        pollfd p{fds[0], POLLIN, 0};
        const int ready = ::poll(&p, 1, int(left.count()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0) {
            timedOut = ready == 0;
            break;
        }
        char chunk[65536];
        const ssize_t n = ::read(fds[0], chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        bytes.append(chunk, n);
    }
    ::close(fds[0]);
    if (timedOut)
        ::kill(pid, SIGKILL);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (timedOut || !WIFEXITED(status) || WEXITSTATUS(status) != 0 || bytes.isEmpty())
        Incorrect();
    return Decode(bytes);
}

} // namespace

SheetList ReadXlsSheetNames(const QString& fileName)
{
    return SheetList{ReadIsolated(fileName, false, std::nullopt).Names, 0};
}

std::optional<Sheet> ReadXlsSheet(const QString& fileName, const std::optional<QString>& name)
{
    return ReadIsolated(fileName, true, name).Chosen;
}

} // namespace grid::office
