#include "plataforma/TravaDeArquivo.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

TravaDeArquivo::TravaDeArquivo(const QString &arquivo)
{
    // A separate open file description per object: flock then also serialises threads.
    const int fd = ::open(QFile::encodeName(caminhoDaTrava(arquivo)).constData(),
                          O_RDWR | O_CREAT | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (fd < 0)
        return;
    int resultado;
    do {
        resultado = ::flock(fd, LOCK_EX);
    } while (resultado != 0 && errno == EINTR);
    if (resultado != 0) {
        ::close(fd);
        return;
    }
    fd_ = fd;
}

TravaDeArquivo::~TravaDeArquivo()
{
    // Closing the only descriptor of this open file description releases the lock.
    if (fd_ >= 0)
        ::close(fd_);
}
