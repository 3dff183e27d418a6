#include "MarcasDaPartida.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QtGlobal>

#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace {

// Seconds since boot at which this process started: field 22 of /proc/self/stat, in clock
// ticks. The command name (field 2) may hold spaces, so the fields are counted after its ')'.
double inicioDoProcesso()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray linha = stat.readAll();
    const QList<QByteArray> campos = linha.mid(linha.lastIndexOf(')') + 2).split(' ');
    // After the name, "state" is field 3, so field 22 is at index 19.
    if (campos.size() <= 19)
        return 0;
    return campos.at(19).toDouble() / double(sysconf(_SC_CLK_TCK));
}

double agoraDesdeOBoot()
{
    timespec agora{};
    clock_gettime(CLOCK_BOOTTIME, &agora);
    return double(agora.tv_sec) + double(agora.tv_nsec) / 1e9;
}

} // namespace

namespace MarcasDaPartida {

bool ligadas()
{
    static const bool valor = qEnvironmentVariableIntValue("CORVANE_MEDIR_PARTIDA") == 1;
    return valor;
}

void marcar(const char *nome)
{
    if (!ligadas())
        return;
    static const double inicio = inicioDoProcesso();
    std::fprintf(stderr, "partida %s %.1f\n", nome, (agoraDesdeOBoot() - inicio) * 1000);
    std::fflush(stderr);
}

} // namespace MarcasDaPartida
