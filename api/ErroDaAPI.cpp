#include "api/ErroDaAPI.h"

#include "core/ErroDeCripto.h"
#include "core/ValorJSON.h"

#include <limits>
#include <optional>

namespace {

// The wait under "tenteNovamenteEm" when the body is a JSON object holding an integral number
// there; anything else gives nothing.
std::optional<qint64> esperaDoCorpo(const QByteArray &corpo)
{
    ValorJSON documento;
    try {
        documento = ValorJSON::ler(corpo);
    } catch (const ErroDeCripto &) {
        return std::nullopt; // not JSON: the next rule words the error
    }
    const ObjetoJSON *objeto = documento.comoObjeto();
    if (!objeto)
        return std::nullopt;
    const ValorJSON *valor = objeto->valor(QStringLiteral("tenteNovamenteEm"));
    if (!valor)
        return std::nullopt;
    const auto numero = valor->comoNumero();
    const auto inteiro = valor->comoInteiro();
    if (!numero || !inteiro || static_cast<double>(*inteiro) != *numero)
        return std::nullopt;
    return inteiro;
}

QString textoDoCodigo(const QString &codigo)
{
    struct Linha {
        const char *codigo;
        const char *texto;
    };
    static const Linha tabela[] = {
        {"credenciais-invalidas", "E-mail ou senha incorretos."},
        {"email-em-uso", "Já existe uma conta com este e-mail."},
        {"autenticador-necessario", "Digite o código de seis números do seu autenticador."},
        {"item-grande-demais", "Este conteúdo é grande demais para guardar."},
        {"conflito-de-revisao", "Este item mudou em outro aparelho."},
        {"dados-invalidos", "Alguns dados não estão certos. Confira e tente de novo."},
        {"codigo-vencido", "Este código não vale mais. Peça um código novo."},
        {"email-indisponivel", "Não conseguimos enviar o e-mail agora. Tente de novo em alguns minutos."},
        {"email-nao-confirmado", "Confirme seu e-mail com o código que enviamos."},
    };
    for (const Linha &linha : tabela) {
        if (codigo == QLatin1String(linha.codigo))
            return QString::fromUtf8(linha.texto);
    }
    return {};
}

} // namespace

ErroDaAPI::ErroDaAPI(Caso caso) : caso_(caso)
{
    texto_ = errorDescription().toStdString();
}

ErroDaAPI ErroDaAPI::servidor(int status, QString codigo, QString mensagem, QByteArray corpo)
{
    ErroDaAPI erro(Caso::servidor);
    erro.status = status;
    erro.codigo = std::move(codigo);
    erro.mensagem = std::move(mensagem);
    erro.corpo = std::move(corpo);
    erro.texto_ =
        QStringLiteral("HTTP %1 %2: %3").arg(erro.status).arg(erro.codigo, erro.errorDescription()).toStdString();
    return erro;
}

QString ErroDaAPI::errorDescription() const
{
    switch (caso_) {
    case Caso::semConexao:
        return QStringLiteral("Sem conexão com a internet. Confira a rede e tente de novo.");
    case Caso::sessaoEncerrada:
        return QStringLiteral("Sua sessão terminou. Entre de novo.");
    case Caso::respostaInesperada:
        return QStringLiteral("Não conseguimos falar com o servidor agora. Tente de novo em instantes.");
    case Caso::servidor:
        break;
    }
    if (codigo == QLatin1String("muitas-tentativas")) {
        if (const auto espera = esperaDoCorpo(corpo))
            return QStringLiteral("Muitas tentativas seguidas. Tente de novo em ") + fraseDeEspera(*espera) +
                   QLatin1Char('.');
    }
    if (!mensagem.isEmpty())
        return mensagem;
    if (QString texto = textoDoCodigo(codigo); !texto.isEmpty())
        return texto;
    if (status >= 500)
        return QStringLiteral("Algo deu errado do nosso lado. Tente de novo em instantes.");
    return QStringLiteral("Não deu certo. Tente de novo.");
}

QString ErroDaAPI::fraseDeEspera(qint64 segundos)
{
    if (segundos > 59) {
        if (segundos == 60)
            return QStringLiteral("1 minuto");
        // Rounded up without the overflow that adding 59 would risk near the top of the range.
        const qint64 minutos = segundos / 60 + (segundos % 60 != 0 ? 1 : 0);
        return QString::number(minutos) + QStringLiteral(" minutos");
    }
    if (segundos == 1)
        return QStringLiteral("1 segundo");
    return QString::number(segundos) + QStringLiteral(" segundos");
}
