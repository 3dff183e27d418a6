#include "RegrasDoCodigo.h"

#include "core/ErroDeCripto.h"
#include "screens/comum/AreaDeTransferencia.h"
#include "servicos/CentralDeAvisos.h"

#include <algorithm>
#include <cmath>

namespace RegrasDoCodigo {

namespace {

QString codigoEm(const GeradorDeCodigos *gerador, const QDateTime &em)
{
    if (!gerador)
        return {};
    try {
        return gerador->codigo(em);
    } catch (const ErroDeCripto &) {
        return {}; // digits outside what codes accept: shown as an invalid key
    }
}

} // namespace

Momento momento(const GeradorDeCodigos *gerador, qint64 periodo, const QDateTime &agora)
{
    const qint64 util = std::max<qint64>(1, periodo);
    Momento m;
    m.codigo = codigoEm(gerador, agora);
    m.restantes = Totp::segundosRestantes(util, agora);
    m.fracao = double(m.restantes) / double(util);
    m.acabando = m.restantes < ultimosSegundos;
    // Half a second into the next period; restantes is at most 5 here, so nothing overflows.
    if (m.acabando)
        m.proximo = codigoEm(gerador, agora.addMSecs(m.restantes * 1000 + 500));
    return m;
}

int colunas(double largura)
{
    if (!(largura > 0))
        return 1;
    return std::max(1, int(std::floor((largura + espaco) / (larguraMinima + espaco))));
}

double larguraDaColuna(double largura)
{
    const int n = colunas(largura);
    const double livre = (std::max(0.0, largura) - espaco * (n - 1)) / n;
    return std::clamp(livre, 0.0, larguraMaxima);
}

QString nadaEncontrado(const QString &busca)
{
    return QStringLiteral("Nenhum código combina com \"") + busca + QStringLiteral("\".");
}

QString avisoDoClique(const QString &titulo) { return QStringLiteral("Código de ") + titulo + QStringLiteral(" copiado"); }

QString avisoDoMenu() { return QStringLiteral("Código copiado"); }

bool copiar(const QString &codigo, const QString &textoDoAviso, CentralDeAvisos &avisos, AreaDeTransferencia &area)
{
    if (codigo.isEmpty())
        return false;
    area.copiarProtegido(codigo);
    avisos.definirContadorDeCopias(avisos.contadorDeCopias() + 1);
    avisos.mostrar(textoDoAviso, QStringLiteral("checkmark.circle.fill"));
    return true;
}

} // namespace RegrasDoCodigo
