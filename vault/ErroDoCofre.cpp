#include "vault/ErroDoCofre.h"

ErroDoCofre::ErroDoCofre(Caso caso, std::optional<ItemCifrado> atualDoServidor)
    : atual(std::move(atualDoServidor)), caso_(caso), texto_(errorDescription().toStdString())
{
}

ErroDoCofre ErroDoCofre::conflito(std::optional<ItemCifrado> atual)
{
    return ErroDoCofre(Caso::conflito, std::move(atual));
}

ErroDoCofre ErroDoCofre::falhaAoCifrar()
{
    return ErroDoCofre(Caso::falhaAoCifrar, std::nullopt);
}

QString ErroDoCofre::errorDescription() const
{
    switch (caso_) {
    case Caso::conflito:
        return QStringLiteral("Este item mudou em outro aparelho.");
    case Caso::falhaAoCifrar:
        return QStringLiteral("Não foi possível proteger este item. Tente de novo.");
    }
    return {};
}
