#include "state/ErroDeEntrada.h"

ErroDeEntrada::ErroDeEntrada(Caso caso) : caso_(caso), texto_(errorDescription().toStdString()) {}

QString ErroDeEntrada::errorDescription() const
{
    switch (caso_) {
    case Caso::senhaIncorreta:
        return QStringLiteral("Senha incorreta.");
    case Caso::autenticadorNecessario:
        return QStringLiteral("Digite o código de seis números do seu autenticador.");
    case Caso::contaDiferente:
        return QStringLiteral("Essa entrada é de outra conta. Entre com a conta deste cofre.");
    case Caso::codigoDeRecuperacaoInvalido:
        return QStringLiteral("Esse código de recuperação não confere. Confira as letras e os números.");
    }
    return QStringLiteral("Algo não deu certo. Tente de novo.");
}
