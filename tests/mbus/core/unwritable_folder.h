#pragma once
#include "file_size_limit.h"

#include <QFile>
#include <QString>
#include <memory>
#include <unistd.h>

// While alive, files cannot be written into folder: it is read-only, and
// where permissions are ignored (root) no file may grow past 0 bytes.
class UnwritableFolder
{
public:
    explicit UnwritableFolder(const QString& folder) : m_folder(folder)
    {
        QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::ExeOwner);
        if (geteuid() == 0)
            m_limit = std::make_unique<FileSizeLimit>(0);
    }
    ~UnwritableFolder()
    {
        m_limit.reset();
        QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    UnwritableFolder(const UnwritableFolder&) = delete;
    UnwritableFolder& operator=(const UnwritableFolder&) = delete;

private:
    QString m_folder;
    std::unique_ptr<FileSizeLimit> m_limit;
};
