// The permission bits of a path, for tests of files and folders only their owner may use.
#pragma once

#include <QFile>
#include <QString>

#include <optional>
#include <sys/stat.h>

namespace Testes {

// The mode's permission bits (0600, 0700, …); nothing when the path cannot be examined.
[[nodiscard]] inline std::optional<mode_t> permissoes(const QString &caminho)
{
    struct stat info {};
    if (::stat(QFile::encodeName(caminho).constData(), &info) != 0)
        return std::nullopt;
    return info.st_mode & 07777;
}

} // namespace Testes
