#include "ModeloDosAjustes.h"

#include "core/Configuracao.h"
#include "screens/menubar-settings/VerificadorDeAtualizacao.h"
#include "servicos/OpcaoDeBloqueio.h"
#include "servicos/Preferencias.h"
#include "servicos/Seguranca.h"
#include "servicos/TextosDoComputador.h"
#include "state/EstadoDoApp.h"

#include <QDesktopServices>
#include <QVariantMap>

#include <algorithm>
#include <iterator>

ModeloDosAjustes::ModeloDosAjustes(QObject *pai)
    : QObject(pai), protecaoDisponivel_(Seguranca::podeAutenticar()),
      abridor_([](const QUrl &url) { QDesktopServices::openUrl(url); })
{
}

void ModeloDosAjustes::definirEstado(EstadoDoApp *estado)
{
    if (estado_ == estado)
        return;
    for (const auto &ligacao : std::as_const(ligacoes_))
        disconnect(ligacao);
    ligacoes_.clear();
    estado_ = estado;
    if (estado_) {
        Preferencias *preferencias = estado_->preferencias();
        ligacoes_ << connect(estado_, &EstadoDoApp::contaMudou, this, &ModeloDosAjustes::contaMudou)
                  << connect(preferencias, &Preferencias::protegerAppMudou, this, &ModeloDosAjustes::preferenciasMudou)
                  << connect(preferencias, &Preferencias::bloqueioMudou, this, &ModeloDosAjustes::preferenciasMudou)
                  << connect(preferencias, &Preferencias::opcoesDoGeradorMudou, this,
                             &ModeloDosAjustes::preferenciasMudou);
    }
    emit estadoMudou();
    emit contaMudou();
    emit preferenciasMudou();
}

bool ModeloDosAjustes::temConta() const { return estado_ && estado_->conta().has_value(); }

QString ModeloDosAjustes::nome() const
{
    if (!temConta())
        return {};
    const QString &nome = estado_->conta()->nome;
    return nome.isEmpty() ? QStringLiteral("Sem nome") : nome;
}

QString ModeloDosAjustes::email() const { return temConta() ? estado_->conta()->email : QString(); }

QString ModeloDosAjustes::rotuloDaProtecao() { return QStringLiteral("Proteger com ") + ::nome(tipoDeBiometria()); }

bool ModeloDosAjustes::protegerApp() const { return estado_ && estado_->preferencias()->protegerApp(); }

QStringList ModeloDosAjustes::opcoesDeBloqueio()
{
    QStringList nomes;
    for (OpcaoDeBloqueio opcao : todasAsOpcoesDeBloqueio)
        nomes << ::nome(opcao);
    return nomes;
}

int ModeloDosAjustes::indiceDoBloqueio() const
{
    if (!estado_)
        return 0;
    const auto *fim = std::end(todasAsOpcoesDeBloqueio);
    const auto *achada = std::find(std::begin(todasAsOpcoesDeBloqueio), fim, estado_->preferencias()->bloqueio());
    return achada == fim ? 0 : int(achada - std::begin(todasAsOpcoesDeBloqueio));
}

int ModeloDosAjustes::tamanho() const
{
    return estado_ ? limitarTamanho(estado_->preferencias()->opcoesDoGerador().tamanho) : tamanhoMinimo;
}

QString ModeloDosAjustes::textoDoTamanho() const { return textoDoTamanho(tamanho()); }

bool ModeloDosAjustes::maiusculas() const { return estado_ && estado_->preferencias()->opcoesDoGerador().maiusculas; }

QString ModeloDosAjustes::notaDaSeguranca()
{
    return noComputador(u"O cofre também fecha sozinho quando a tela do Mac dorme ou você troca de usuário.");
}

QString ModeloDosAjustes::mensagemDeSaida()
{
    return noComputador(u"Os dados deste Mac serão apagados. Seus itens continuam na conta.");
}

QString ModeloDosAjustes::versaoInstalada() { return ::versaoInstalada(); }

QVariantList ModeloDosAjustes::linksDeAjuda()
{
    const std::optional<QUrl> base = urlDoSite();
    if (!base)
        return {};
    static const std::pair<const char *, const char *> links[] = {
        {"Suporte", "suporte"}, {"Política de privacidade", "privacidade"}, {"Termos de uso", "termos"}};
    QVariantList lista;
    for (const auto &[texto, caminho] : links) {
        QUrl url = *base;
        QString trajeto = url.path();
        if (!trajeto.endsWith(u'/'))
            trajeto += u'/';
        url.setPath(trajeto + QLatin1String(caminho));
        lista << QVariantMap{{QStringLiteral("texto"), QString::fromUtf8(texto)}, {QStringLiteral("url"), url}};
    }
    return lista;
}

QString ModeloDosAjustes::textoDoTamanho(qint64 tamanho)
{
    return QStringLiteral("Tamanho: %1 caracteres").arg(tamanho);
}

int ModeloDosAjustes::limitarTamanho(qint64 tamanho)
{
    return int(std::clamp<qint64>(tamanho, tamanhoMinimo, tamanhoMaximo));
}

QString ModeloDosAjustes::motivoDaProtecao(bool ligar)
{
    return ligar ? QStringLiteral("Proteger o Corvane") : QStringLiteral("Tirar a proteção do Corvane");
}

QString ModeloDosAjustes::textoDaConferencia(bool conferidoAgora)
{
    return conferidoAgora ? QStringLiteral("Você está na versão mais recente.")
                          : QStringLiteral("Confira se há uma versão nova.");
}

QString ModeloDosAjustes::tituloDaProcura(bool conferindo)
{
    return conferindo ? QStringLiteral("Conferindo…") : QStringLiteral("Procurar atualização");
}

QString ModeloDosAjustes::textoDoDownload(const QString &versao) { return QStringLiteral("Baixar a versão ") + versao; }

void ModeloDosAjustes::alternarProtecao(bool valor)
{
    if (!estado_ || pedindoDono_ || valor == protegerApp())
        return;
    (void)pedirDono(valor);
}

QCoro::Task<> ModeloDosAjustes::pedirDono(bool valor)
{
    const QPointer<ModeloDosAjustes> vivo(this);
    definirPedindoDono(true);
    const bool confirmado = co_await autenticarDono(motivoDaProtecao(valor));
    if (!vivo)
        co_return;
    if (confirmado && estado_)
        estado_->preferencias()->definirProtegerApp(valor);
    definirPedindoDono(false);
    conferirDisponibilidade();
    // A switch the user flipped shows the stored value again whatever the answer.
    emit preferenciasMudou();
}

void ModeloDosAjustes::escolherBloqueio(int indice)
{
    if (!estado_ || !protegerApp() || indice < 0 || indice >= int(std::size(todasAsOpcoesDeBloqueio)))
        return;
    estado_->preferencias()->definirBloqueio(todasAsOpcoesDeBloqueio[indice]);
}

void ModeloDosAjustes::definirTamanho(int tamanho)
{
    if (!estado_)
        return;
    OpcoesDeSenha opcoes = estado_->preferencias()->opcoesDoGerador();
    opcoes.tamanho = limitarTamanho(tamanho);
    estado_->preferencias()->definirOpcoesDoGerador(opcoes);
}

void ModeloDosAjustes::definirMaiusculas(bool valor)
{
    if (!estado_)
        return;
    OpcoesDeSenha opcoes = estado_->preferencias()->opcoesDoGerador();
    opcoes.maiusculas = valor;
    estado_->preferencias()->definirOpcoesDoGerador(opcoes);
}

void ModeloDosAjustes::conferirDisponibilidade()
{
    const bool disponivel = Seguranca::podeAutenticar();
    if (disponivel == protecaoDisponivel_)
        return;
    protecaoDisponivel_ = disponivel;
    emit protecaoDisponivelMudou();
}

void ModeloDosAjustes::sair()
{
    if (!estado_)
        return;
    [](QPointer<EstadoDoApp> estado) -> QCoro::Task<> {
        if (estado)
            co_await estado->sair();
    }(estado_);
}

void ModeloDosAjustes::abrirLink(const QUrl &url)
{
    const QString esquema = url.scheme();
    if (esquema == QLatin1String("http") || esquema == QLatin1String("https"))
        abridor_(url);
}

void ModeloDosAjustes::definirPedindoDono(bool valor)
{
    if (pedindoDono_ == valor)
        return;
    pedindoDono_ = valor;
    emit pedindoDonoMudou();
}
