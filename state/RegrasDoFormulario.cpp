#include "state/RegrasDoFormulario.h"

#include <QList>

QString digitosDoCodigo(const QString &texto)
{
    // By code point, so digits outside the basic plane (mathematical digits) count as one each.
    QString digitos;
    for (const char32_t c : texto.toUcs4()) {
        if (QChar::isNumber(c))
            digitos.append(QString::fromUcs4(&c, 1));
    }
    return digitos;
}

bool codigoPronto(const QString &texto)
{
    return digitosDoCodigo(texto).toUcs4().size() == digitosDeUmCodigo;
}
