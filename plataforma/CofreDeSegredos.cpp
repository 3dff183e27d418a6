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
