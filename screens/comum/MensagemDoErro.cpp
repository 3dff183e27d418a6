#include "screens/comum/MensagemDoErro.h"

#include "api/ErroDaAPI.h"
#include "state/ErroDeEntrada.h"
#include "vault/ErroDoCofre.h"

namespace {

QString generica()
{
    return QStringLiteral("Algo não deu certo. Tente de novo.");
}

QString textoDeEntrada(ErroDeEntrada::Caso caso)
{
    switch (caso) {
    case ErroDeEntrada::Caso::senhaIncorreta:
        return QStringLiteral("Senha incorreta.");
    case ErroDeEntrada::Caso::autenticadorNecessario:
        return QStringLiteral("Digite o código de seis números do seu autenticador.");
    case ErroDeEntrada::Caso::codigoDeRecuperacaoInvalido:
        return QStringLiteral("Esse código de recuperação não confere. Confira as letras e os números.");
    case ErroDeEntrada::Caso::contaDiferente:
        return ErroDeEntrada::contaDiferente().errorDescription();
    }
    return generica();
}

QString textoDoCofre(ErroDoCofre::Caso caso)
{
    switch (caso) {
    case ErroDoCofre::Caso::conflito:
        return QStringLiteral("Este item mudou em outro aparelho.");
    case ErroDoCofre::Caso::falhaAoCifrar:
        return QStringLiteral("Não foi possível proteger este item. Tente de novo.");
    }
    return generica();
}

} // namespace

QString mensagemDoErro(const std::exception &erro)
{
    if (const auto *api = dynamic_cast<const ErroDaAPI *>(&erro)) {
        const QString texto = api->errorDescription();
        return texto.isEmpty() ? generica() : texto;
    }
    if (const auto *entrada = dynamic_cast<const ErroDeEntrada *>(&erro))
        return textoDeEntrada(entrada->caso());
    if (const auto *cofre = dynamic_cast<const ErroDoCofre *>(&erro))
        return textoDoCofre(cofre->caso());
    return generica();
}
