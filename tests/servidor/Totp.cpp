#include "Totp.h"

#include <QMessageAuthenticationCode>

namespace Servidor {

namespace {

QString codigoDoPasso(const QByteArray &segredo, qint64 passo)
{
    QByteArray contador(8, '\0');
    for (int i = 7; i >= 0; --i) {
        contador[i] = static_cast<char>(passo & 0xff);
        passo >>= 8;
    }
    const QByteArray mac = QMessageAuthenticationCode::hash(contador, segredo, QCryptographicHash::Sha1);
    // Dynamic truncation (RFC 4226): the low nibble of the last byte picks four bytes.
    const int inicio = mac.at(mac.size() - 1) & 0x0f;
    const quint32 valor = (quint32(quint8(mac.at(inicio)) & 0x7f) << 24) | (quint32(quint8(mac.at(inicio + 1))) << 16)
                          | (quint32(quint8(mac.at(inicio + 2))) << 8) | quint32(quint8(mac.at(inicio + 3)));
    return QStringLiteral("%1").arg(valor % 1000000u, 6, 10, QLatin1Char('0'));
}

qint64 passoDe(const QDateTime &instante)
{
    return instante.toSecsSinceEpoch() / 30;
}

} // namespace

QString codigoTotp(const QByteArray &segredo, const QDateTime &instante)
{
    return codigoDoPasso(segredo, passoDe(instante));
}

bool conferirTotp(const QByteArray &segredo, const QString &codigo, const QDateTime &instante)
{
    const qint64 passo = passoDe(instante);
    for (qint64 p = passo - 1; p <= passo + 1; ++p) {
        if (codigoDoPasso(segredo, p) == codigo)
            return true;
    }
    return false;
}

} // namespace Servidor
