#include "state/RegrasDoFormulario.h"

#include <QChar>
#include <QList>

DigitosDoCodigo digitosDoCodigo(QStringView codigo)
{
    DigitosDoCodigo digitos;
    // By code point, so a digit outside the first plane (mathematical digits) counts once.
    const QList<uint> pontos = codigo.toUcs4();
    for (const char32_t ponto : pontos) {
        if (!QChar::isNumber(ponto))
            continue;
        ++digitos.quantidade;
        const int valor = QChar::digitValue(ponto);
        if (valor >= 0 && valor <= 9)
            digitos.enviados += QChar(u'0' + valor);
        else
            digitos.enviados += QString::fromUcs4(&ponto, 1);
    }
    return digitos;
}
