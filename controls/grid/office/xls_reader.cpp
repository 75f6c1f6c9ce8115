#include "controls/grid/core/grid_types.h"
#include "controls/grid/office/workbook.h"

#include <QFile>

#include <freexl.h>

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

} // namespace

SheetList ReadXlsSheetNames(const QString& fileName)
{
    const XlsFile file(fileName);
    return SheetList{file.Names(), 0};
}

std::optional<Sheet> ReadXlsSheet(const QString& fileName, const std::optional<QString>& name)
{
    const XlsFile file(fileName);
    const QStringList names = file.Names();
    // The file's active tab is not known here: the first sheet stands for it.
    const int chosen = name ? int(names.lastIndexOf(*name)) : 0;
    if (chosen < 0)
        return std::nullopt;
    return file.Cells(chosen, names[chosen]);
}

} // namespace grid::office
