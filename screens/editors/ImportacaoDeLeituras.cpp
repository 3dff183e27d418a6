#include "ImportacaoDeLeituras.h"

#include <QUuid>

bool linkUtilizavel(const QString &link)
{
    return !link.trimmed().isEmpty();
}

QList<CodigoImportado> codigosDasLeituras(const QList<QString> &textos)
{
    QList<CodigoImportado> codigos;
    for (const QString &texto : textos) {
        const QString t = texto.trimmed();
        // A blank text normalises to an empty secret, which is no code at all.
        if (t.isEmpty())
            continue;
        const QString minusculo = t.toLower();
        try {
            if (minusculo.startsWith(QLatin1String("otpauth-migration:"))) {
                // An account whose secret field is present but empty could never make a code.
                for (const CodigoImportado &codigo : MigracaoGoogle::ler(t)) {
                    if (!codigo.segredo.isEmpty())
                        codigos.append(codigo);
                }
            } else if (minusculo.startsWith(QLatin1String("otpauth:"))) {
                codigos.append(importarOtpauth(t));
            } else {
                CodigoImportado codigo;
                codigo.id = QUuid::createUuid();
                codigo.segredo = Totp::normalizarSegredo(t);
                // Only separators ("-", "=", spaces) clean up to nothing: not a secret.
                if (!codigo.segredo.isEmpty())
                    codigos.append(codigo);
            }
        } catch (const ErroDeCripto &) {
            // A text that does not parse is skipped; the others go on.
        }
    }
    return codigos;
}
