#include "plataforma/CofreDeSegredos.h"

#include "plataforma/CofreDeSegredosEmArquivo.h"
#include "plataforma/CofreDeSegredosLibsecret.h"
#include "plataforma/Padroes.h"

#include <mutex>

namespace {

// The API client may touch the store from another thread than the one that installs it.
std::mutex guarda;
std::shared_ptr<CofreDeSegredos> instalado;

const QString opcao = QStringLiteral("--") + QLatin1String(chaveDoArmazenamentoDeSegredos);

} // namespace

std::shared_ptr<CofreDeSegredos> CofreDeSegredos::atual()
{
    const std::lock_guard trava(guarda);
    if (!instalado)
        instalado = std::make_shared<CofreDeSegredosLibsecret>();
    return instalado;
}

void CofreDeSegredos::usar(std::shared_ptr<CofreDeSegredos> cofre)
{
    const std::lock_guard trava(guarda);
    instalado = std::move(cofre);
}

std::shared_ptr<CofreDeSegredos> CofreDeSegredos::pelaConfiguracao(const QString &valor)
{
    if (valor == QLatin1String(armazenamentoSecretService))
        return std::make_shared<CofreDeSegredosLibsecret>();
    if (valor == QLatin1String(armazenamentoEmArquivo))
        return std::make_shared<CofreDeSegredosEmArquivo>();
    return nullptr;
}

bool CofreDeSegredos::configurar(const std::optional<QString> &opcaoDaLinhaDeComando)
{
    QString valor = QLatin1String(armazenamentoSecretService);
    if (opcaoDaLinhaDeComando)
        valor = *opcaoDaLinhaDeComando;
    else if (const auto guardado = Padroes::padrao().texto(QLatin1String(chaveDoArmazenamentoDeSegredos)))
        valor = *guardado;
    auto cofre = pelaConfiguracao(valor);
    if (!cofre)
        return false;
    usar(std::move(cofre));
    return true;
}

std::optional<QString> CofreDeSegredos::opcaoDosArgumentos(const QStringList &argumentos)
{
    for (qsizetype i = 0; i < argumentos.size(); ++i) {
        const QString &argumento = argumentos.at(i);
        if (argumento == opcao)
            return i + 1 < argumentos.size() ? std::optional(argumentos.at(i + 1)) : std::optional(QString());
        if (argumento.startsWith(opcao + QLatin1Char('=')))
            return argumento.mid(opcao.size() + 1);
    }
    return std::nullopt;
}

std::optional<QString> CofreDeSegredos::configurarPelosArgumentos(const QStringList &argumentos)
{
    const auto daOpcao = opcaoDosArgumentos(argumentos);
    if (configurar(daOpcao))
        return std::nullopt;
    const QString valores = QStringLiteral("Use “%1” (o chaveiro da sessão) ou “%2” (um arquivo protegido na sua pasta pessoal).")
                                .arg(QLatin1String(armazenamentoSecretService), QLatin1String(armazenamentoEmArquivo));
    if (daOpcao)
        return QStringLiteral("Valor desconhecido na opção %1: “%2”. ").arg(opcao, *daOpcao) + valores;
    const Padroes padroes = Padroes::padrao();
    return QStringLiteral("Valor desconhecido em “%1” de %2: “%3”. ")
               .arg(QLatin1String(chaveDoArmazenamentoDeSegredos), padroes.caminho(),
                    padroes.texto(QLatin1String(chaveDoArmazenamentoDeSegredos)).value_or(QString()))
        + valores;
}

QString CofreDeSegredos::textoSemSecretService()
{
    return QStringLiteral(
               "Nenhum chaveiro do sistema (Secret Service) respondeu, e o Corvane precisa de um para guardar a "
               "chave do seu cofre. Instale o GNOME Keyring (pacote gnome-keyring) ou o KWallet e entre na sessão "
               "de novo, ou abra o Corvane com a opção %1 %2 para guardar a chave em um arquivo protegido na sua "
               "pasta pessoal (%3).")
        .arg(opcao, QLatin1String(armazenamentoEmArquivo), CofreDeSegredosEmArquivo::caminhoPadrao());
}

std::optional<QString> CofreDeSegredos::avisoSemSecretService()
{
    if (!dynamic_cast<CofreDeSegredosLibsecret *>(atual().get()) || CofreDeSegredosLibsecret::responde())
        return std::nullopt;
    return textoSemSecretService();
}
