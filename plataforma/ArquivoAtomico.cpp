#include "plataforma/ArquivoAtomico.h"

#include <QFileInfo>
#include <QJsonDocument>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ArquivoAtomico {

namespace {

// Makes the rename itself durable; a failure here does not undo a write that already happened.
void sincronizarPasta(const QString &pasta)
{
    const int fd = ::open(QFile::encodeName(pasta).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    (void)::fsync(fd);
    ::close(fd);
}

} // namespace

std::optional<QByteArray> ler(const QString &caminho)
{
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = arquivo.readAll();
    if (arquivo.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

bool lerMapeado(const QString &caminho, const std::function<void(QByteArrayView)> &ler)
{
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly))
        return false;
    const qint64 tamanho = arquivo.size();
    // The mapping goes with the file object, also when `ler` throws.
    if (uchar *mapa = tamanho > 0 ? arquivo.map(0, tamanho) : nullptr) {
        ler(QByteArrayView(mapa, tamanho));
        return true;
    }
    // Empty, or a file system that cannot map: read it.
    const QByteArray bytes = arquivo.readAll();
    if (arquivo.error() != QFileDevice::NoError)
        return false;
    ler(bytes);
    return true;
}

bool gravar(const QString &caminho, const QByteArray &bytes)
{
    QSaveFile arquivo(caminho);
    if (!arquivo.open(QIODevice::WriteOnly))
        return false;
    // Before any byte is written: a new temporary file starts out with the umask's permissions.
    if (!arquivo.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        arquivo.cancelWriting();
        return false;
    }
    if (arquivo.write(bytes) != bytes.size()) {
        arquivo.cancelWriting();
        return false;
    }
    // commit() flushes the temporary file to disk before renaming it over the target.
    if (!arquivo.commit())
        return false;
    sincronizarPasta(QFileInfo(caminho).absolutePath());
    return true;
}

bool criarPastaProtegida(const QString &caminho)
{
    if (caminho.isEmpty())
        return false;
    const QString absoluto = QDir::cleanPath(QFileInfo(caminho).absoluteFilePath());
    if (QFileInfo(absoluto).isDir())
        return true;
    const QString pai = QFileInfo(absoluto).path();
    if (pai != absoluto && !criarPastaProtegida(pai))
        return false;
    if (::mkdir(QFile::encodeName(absoluto).constData(), S_IRWXU) == 0)
        return true;
    // Another process may have created it in the meantime.
    return errno == EEXIST && QFileInfo(absoluto).isDir();
}

std::optional<QJsonObject> lerObjetoJSON(const QString &caminho)
{
    if (!QFileInfo::exists(caminho))
        return QJsonObject();
    const auto bytes = ler(caminho);
    if (!bytes)
        return std::nullopt;
    const QJsonDocument documento = QJsonDocument::fromJson(*bytes);
    return documento.isObject() ? documento.object() : QJsonObject();
}

} // namespace ArquivoAtomico
