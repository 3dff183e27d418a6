#include "screens/vault/SituacaoDoPreenchimento.h"

#include "servicos/NoTrabalhador.h"
#include "servicos/TextosDoComputador.h"

#include <QCoreApplication>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>

namespace {

// The host's switch, read on a worker thread (the store is a locked file).
std::function<bool()> leituraDaChave(std::shared_ptr<RepositorioDeIdentidades> repositorio)
{
    return [repositorio = std::move(repositorio)] { return repositorio->ligado(); };
}

} // namespace

SituacaoDoPreenchimento::SituacaoDoPreenchimento(QObject *pai)
    : SituacaoDoPreenchimento(nullptr, Padroes::padrao(), &SituacaoDoPreenchimento::pedirLigarAoAnfitriao, pai)
{
}

SituacaoDoPreenchimento::SituacaoDoPreenchimento(std::shared_ptr<RepositorioDeIdentidades> repositorio,
                                                 Padroes padroes, PedirLigar pedirLigar, QObject *pai)
    : QObject(pai), repositorio_(std::move(repositorio)), padroes_(std::move(padroes)),
      pedirLigar_(std::move(pedirLigar)),
      cartaoFechado_(padroes_.logico(QString::fromLatin1(chaveDoCartaoDoPreenchimentoFechado)).value_or(false))
{
}

void SituacaoDoPreenchimento::definirLigado(std::optional<bool> valor)
{
    if (ligado_ == valor)
        return;
    const bool visivelAntes = cartaoVisivel();
    ligado_ = valor;
    emit ligadoMudou();
    if (cartaoVisivel() != visivelAntes)
        emit cartaoVisivelMudou();
}

void SituacaoDoPreenchimento::definirComConta(bool valor)
{
    if (comConta_ == valor)
        return;
    comConta_ = valor;
    emit ligadoMudou(); // the section's line, symbol and colour
}

QString SituacaoDoPreenchimento::textoDaSecao() const
{
    if (!estaLigado())
        return QStringLiteral("Desligado");
    return comConta_ ? noComputador(u"Ligado neste Mac") : QStringLiteral("Entre no app primeiro");
}

QString SituacaoDoPreenchimento::simboloDaSecao() const
{
    return simboloDaSecaoEmAzul() ? QStringLiteral("checkmark.circle.fill") : QStringLiteral("circle");
}

QString SituacaoDoPreenchimento::textoDesligar()
{
    return QStringLiteral("Desligar neste computador");
}

QString SituacaoDoPreenchimento::botaoDaSecao() const
{
    return estaLigado() ? noComputador(u"Abrir ajustes do Mac") : QStringLiteral("Ligar");
}

QString SituacaoDoPreenchimento::tituloDoCartao()
{
    return noComputador(u"Preencha senhas sozinho no Safari e nos apps");
}

QString SituacaoDoPreenchimento::textoDoCartao()
{
    return noComputador(u"Ligue o Corvane no preenchimento automático do Mac. Na hora de entrar, ele sugere a "
                        u"senha certa, preenche o código e salva as senhas novas no cofre.");
}

QString SituacaoDoPreenchimento::legendaDaSecao()
{
    return noComputador(u"Com ele ligado, ao clicar em um campo de senha no Safari, no Chrome ou em um app, "
                        u"escolha o Corvane. Para guardar uma senha nova, use “Salvar uma senha nova” na mesma "
                        u"janela.");
}

QCoro::Task<> SituacaoDoPreenchimento::atualizar()
{
    // A named awaiter built by a plain function, and no conditional expression: GCC 12 mishandles
    // lambda captures and temporaries inside a coroutine's expressions.
    std::shared_ptr<RepositorioDeIdentidades> repositorio = repositorio_;
    if (!repositorio)
        repositorio = RepositorioDeIdentidades::atual();
    const QPointer<SituacaoDoPreenchimento> vivo(this);
    auto trabalho = noTrabalhador(leituraDaChave(std::move(repositorio)));
    const bool ligado = co_await trabalho;
    if (vivo)
        definirLigado(ligado);
}

void SituacaoDoPreenchimento::comecarAtualizacao()
{
    [](QPointer<SituacaoDoPreenchimento> situacao) -> QCoro::Task<> {
        if (situacao)
            co_await situacao->atualizar();
    }(this);
}

void SituacaoDoPreenchimento::abrirAjustes()
{
    if (estaLigado()) {
        emit desligarOferecido();
        return;
    }
    pedir(true);
}

void SituacaoDoPreenchimento::desligar()
{
    pedir(false);
}

void SituacaoDoPreenchimento::pedir(bool ligar)
{
    const QPointer<SituacaoDoPreenchimento> vivo(this);
    pedirLigar_(ligar, [vivo] {
        if (vivo)
            vivo->comecarAtualizacao();
    });
}

void SituacaoDoPreenchimento::fecharCartao()
{
    // Written on every press, as the card's stored flag is; observers hear only of a change.
    padroes_.definirLogico(QString::fromLatin1(chaveDoCartaoDoPreenchimentoFechado), true);
    if (cartaoFechado_)
        return;
    const bool visivelAntes = cartaoVisivel();
    cartaoFechado_ = true;
    emit cartaoFechadoMudou();
    if (cartaoVisivel() != visivelAntes)
        emit cartaoVisivelMudou();
}

void SituacaoDoPreenchimento::pedirLigarAoAnfitriao(bool ligar, std::function<void()> concluido)
{
    const QString nome = QStringLiteral("corvane-anfitriao");
    QString programa = QStandardPaths::findExecutable(nome, {QCoreApplication::applicationDirPath()});
    if (programa.isEmpty())
        programa = QStandardPaths::findExecutable(nome);
    if (programa.isEmpty()) {
        concluido();
        return;
    }
    auto *processo = new QProcess(QCoreApplication::instance());
    processo->setProgram(programa);
    processo->setArguments({ligar ? QStringLiteral("ativar") : QStringLiteral("desativar")});
    processo->setProcessChannelMode(QProcess::ForwardedChannels);
    QObject::connect(processo, &QProcess::finished, processo, [processo, concluido] {
        processo->deleteLater();
        concluido();
    });
    QObject::connect(processo, &QProcess::errorOccurred, processo, [processo, concluido](QProcess::ProcessError erro) {
        if (erro != QProcess::FailedToStart)
            return; // a crash or a read error still ends with `finished`
        processo->deleteLater();
        concluido();
    });
    processo->start();
}
