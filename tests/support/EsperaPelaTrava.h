// Waits until some thread or process is blocked waiting for the lock on a file (the kernel lists
// blocked waiters in /proc/locks with "->"), so a test knows the waiter is really waiting
// instead of guessing with a sleep.
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QString>
#include <QThread>

#include <chrono>
#include <sys/stat.h>

namespace Testes {

[[nodiscard]] inline bool alguemEsperaATrava(const QString &arquivoDaTrava,
                                             std::chrono::milliseconds limite = std::chrono::seconds(30))
{
    struct stat info {};
    if (::stat(QFile::encodeName(arquivoDaTrava).constData(), &info) != 0)
        return false;
    // Lines look like "3: -> FLOCK  ADVISORY  WRITE 1234 00:2a:5678 0 EOF"; the inode ends the
    // device field.
    const QByteArray inode = ':' + QByteArray::number(static_cast<qulonglong>(info.st_ino)) + ' ';
    const QDeadlineTimer prazo(limite);
    while (!prazo.hasExpired()) {
        QFile travas(QStringLiteral("/proc/locks"));
        if (travas.open(QIODevice::ReadOnly)) {
            for (const QByteArray &linha : travas.readAll().split('\n')) {
                if (linha.contains(" -> ") && linha.contains(inode))
                    return true;
            }
        }
        QCoreApplication::processEvents();
        QThread::msleep(1);
    }
    return false;
}

} // namespace Testes
