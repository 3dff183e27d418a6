#include "EditorDeCodigo.h"

#include "ImportacaoDeLeituras.h"
#include "LeitorDaTela.h"
#include "screens/comum/MensagemDoErro.h"
#include "servicos/TextosDoComputador.h"
#include "state/EstadoDoApp.h"
#include "vault/Cofre.h"

#include <QCoreApplication>
#include <QDateTime>

#include <algorithm>
#include <climits>

namespace {

ModeloDoEditorDeCodigo::LeitorDeTela &leitorDeTela()
{
    static ModeloDoEditorDeCodigo::LeitorDeTela leitor;
    return leitor;
}

} // namespace

ModeloDoEditorDeCodigo::ModeloDoEditorDeCodigo(QObject *pai) : ModeloDoEditor(pai)
{
    dados_ = DadosDeCodigo::novo({}, {}, {}, AlgoritmoTotp::sha1, 6, 30).json;
}

ModeloDoEditorDeCodigo::~ModeloDoEditorDeCodigo()
{
    if (focoComOSeletor_)
        focoComOSeletor_->terminarCapturaDaTela();
}

void ModeloDoEditorDeCodigo::usarLeitorDeTela(LeitorDeTela leitor)
{
    leitorDeTela() = std::move(leitor);
}

bool ModeloDoEditorDeCodigo::podeSalvar() const
{
    return !aparadoDeEspacos(emissor()).isEmpty() && !aparadoDeEspacos(segredo()).isEmpty();
}

void ModeloDoEditorDeCodigo::definirSite(const QString &valor)
{
    if (site_ == valor)
        return;
    site_ = valor;
    emit siteMudou();
}

void ModeloDoEditorDeCodigo::mostrarPrimeiroSite()
{
    const QList<QString> sites = dados_.sites();
    definirSite(sites.isEmpty() ? QString() : sites.first());
}

QList<QString> ModeloDoEditorDeCodigo::sitesAoSalvar(const QList<QString> &atuais, const QString &siteDigitado)
{
    if (!atuais.isEmpty() && atuais.first() == siteDigitado)
        return atuais;
    QList<QString> sites = atuais;
    if (!sites.isEmpty())
        sites.removeFirst();
    if (!aparadoDeEspacos(siteDigitado).isEmpty())
        sites.prepend(siteDigitado);
    return sites;
}

QString ModeloDoEditorDeCodigo::algoritmo() const
{
    return valorBruto(DadosDeCodigo(dados_).algoritmo());
}

void ModeloDoEditorDeCodigo::definirAlgoritmo(const QString &valor)
{
    if (algoritmoTotp(valor))
        definirTexto(QStringLiteral("algoritmo"), valor);
}

int ModeloDoEditorDeCodigo::digitos() const
{
    return int(std::clamp<qint64>(dados_.inteiro(QStringLiteral("digitos"), 6), INT_MIN, INT_MAX));
}

void ModeloDoEditorDeCodigo::definirDigitos(int valor)
{
    definirValor(QStringLiteral("digitos"), ValorJSON::numero(valor));
}

int ModeloDoEditorDeCodigo::periodo() const
{
    return int(std::clamp<qint64>(dados_.inteiro(QStringLiteral("periodo"), 30), 1, INT_MAX));
}

void ModeloDoEditorDeCodigo::definirPeriodo(int valor)
{
    definirValor(QStringLiteral("periodo"), ValorJSON::numero(valor));
}

ParametrosTotp ModeloDoEditorDeCodigo::parametrosDaPrevia() const
{
    DadosDeCodigo copia(dados_);
    QString segredo = copia.json.texto(QStringLiteral("segredo"));
    try {
        segredo = Totp::normalizarSegredo(segredo);
    } catch (const ErroDeCripto &) {
        // Kept as typed: the code then fails and the preview says the key is invalid.
    }
    copia.json.definir(QStringLiteral("segredo"), ValorJSON::texto(segredo));
    return copia.parametros();
}

QString ModeloDoEditorDeCodigo::codigoDaPrevia(const QDateTime &agora) const
{
    const ParametrosTotp parametros = parametrosDaPrevia();
    // An empty secret decodes to no key at all: no code either.
    if (parametros.segredo.isEmpty())
        return {};
    try {
        return Totp::formatarParaExibir(parametros.codigo(agora));
    } catch (const ErroDeCripto &) {
        return {};
    }
}

void ModeloDoEditorDeCodigo::prepararParaSalvar(ObjetoJSON &copia) const
{
    const QString segredo = Totp::normalizarSegredo(copia.texto(QStringLiteral("segredo")));
    copia.definir(QStringLiteral("segredo"), ValorJSON::texto(segredo));
    const QList<QString> sites = copia.sites();
    if (const QList<QString> aoSalvar = sitesAoSalvar(sites, site_); aoSalvar != sites) {
        DadosDeCodigo codigo(copia);
        codigo.definirSites(aoSalvar);
        copia = std::move(codigo.json);
    }
    // Only the check matters: a code that cannot be made is refused before anything is sent.
    [[maybe_unused]] const QString teste =
        DadosDeCodigo(copia).parametros().codigo(QDateTime::currentDateTimeUtc());
}

QString ModeloDoEditorDeCodigo::mensagemDaFalha(const std::exception &erro) const
{
    // Only a secret that is not base32 is the user's secret's fault; a stored digit count that
    // codes refuse, and everything else, get the shared text.
    const auto *cripto = dynamic_cast<const ErroDeCripto *>(&erro);
    if (cripto && cripto->codigo == QLatin1String("base32-invalido"))
        return QString::fromUtf8(mensagemDaChaveInvalida);
    return mensagemDoErro(erro);
}

void ModeloDoEditorDeCodigo::definirLink(const QString &valor)
{
    if (link_ == valor)
        return;
    link_ = valor;
    emit linkMudou();
}

bool ModeloDoEditorDeCodigo::podeUsarLink() const
{
    return linkUtilizavel(link_);
}

QString ModeloDoEditorDeCodigo::explicacaoDoSite()
{
    return noComputador(u"Com o site, o Safari oferece o código sozinho na hora de entrar.");
}

QString ModeloDoEditorDeCodigo::avisoDePermissao()
{
    return noComputador(u"Permita o Corvane em Gravação de Tela para ler o QR Code.");
}

QString ModeloDoEditorDeCodigo::botaoDosAjustes()
{
    return noComputador(u"Abrir Ajustes");
}

bool ModeloDoEditorDeCodigo::temAjustes() const
{
    return LeitorDaTelaNoMac::temAjustesDeGravacaoDeTela();
}

void ModeloDoEditorDeCodigo::abrirAjustes()
{
    LeitorDaTelaNoMac::abrirAjustesDeGravacaoDeTela();
}

void ModeloDoEditorDeCodigo::definirLendoATela(bool valor)
{
    if (lendoATela_ == valor)
        return;
    lendoATela_ = valor;
    emit lendoATelaMudou();
}

void ModeloDoEditorDeCodigo::definirPermissaoDaTelaNegada(bool valor)
{
    if (permissaoDaTelaNegada_ == valor)
        return;
    permissaoDaTelaNegada_ = valor;
    emit permissaoDaTelaNegadaMudou();
}

void ModeloDoEditorDeCodigo::usarLink()
{
    // Blank text (spaces only, or nothing) does nothing at all.
    if (!podeUsarLink())
        return;
    importarLeituras({link_});
}

void ModeloDoEditorDeCodigo::importarLeituras(const QList<QString> &textos)
{
    // A batch is being saved: a second import of the same codes would save them twice.
    if (salvando())
        return;
    definirErro(QString());
    QList<CodigoImportado> codigos = codigosDasLeituras(textos);
    const qsizetype lidos = codigos.size();
    codigos.removeIf([this](const CodigoImportado &codigo) { return jaSalvos_.contains(codigo); });
    if (codigos.isEmpty()) {
        definirErro(lidos == 0 ? QStringLiteral("Esse link ou QR Code não é de verificação em duas etapas.")
                               : QStringLiteral("Esses códigos já foram adicionados."));
        return;
    }
    if (codigos.size() == 1) {
        preencher(codigos.first());
        definirLink(QString());
        return;
    }
    [](QPointer<ModeloDoEditorDeCodigo> editor, QList<CodigoImportado> lista) -> QCoro::Task<> {
        if (editor)
            co_await editor->salvarVariosAgora(std::move(lista));
    }(this, std::move(codigos));
}

void ModeloDoEditorDeCodigo::preencher(const CodigoImportado &codigo)
{
    emit preenchendo();
    substituirDados(dadosDeCodigo(codigo).json);
    mostrarPrimeiroSite();
    emit preenchido();
}

QCoro::Task<> ModeloDoEditorDeCodigo::salvarVariosAgora(QList<CodigoImportado> codigos)
{
    QPointer<Cofre> loja(cofre());
    if (salvando() || codigos.isEmpty())
        co_return;
    QPointer<ModeloDoEditorDeCodigo> vivo(this);
    definirSalvando(true);
    QList<NovoItem> itens;
    for (const CodigoImportado &codigo : std::as_const(codigos))
        itens.append({dadosDeCodigo(codigo).json, TipoDeItem::codigo});
    qint64 salvos = 0;
    QString falha;
    try {
        if (!loja)
            throw ErroDeCancelamento();
        salvos = co_await loja->guardarEmLote(std::move(itens));
    } catch (const std::exception &erro) {
        if (!vivo)
            co_return;
        falha = mensagemDoErro(erro);
        // Slices go in order: the first ones were saved and must not be sent again on a retry.
        if (const std::optional<qint64> parte = itensJaSalvos(erro); parte && *parte > 0) {
            jaSalvos_.append(codigos.first(qMin<qsizetype>(*parte, codigos.size())));
            falha = QStringLiteral("%1 de %2 códigos foram adicionados. ").arg(*parte).arg(codigos.size()) + falha;
        }
    }
    if (!vivo)
        co_return;
    if (!falha.isEmpty()) {
        definirErro(falha);
        definirSalvando(false);
        co_return;
    }
    mostrarAviso(QString::number(salvos) + QStringLiteral(" códigos adicionados"));
    fechar();
    if (vivo)
        definirSalvando(false);
}

void ModeloDoEditorDeCodigo::lerATela()
{
    [](QPointer<ModeloDoEditorDeCodigo> editor) -> QCoro::Task<> {
        if (editor)
            co_await editor->lerATelaAgora();
    }(this);
}

QCoro::Task<> ModeloDoEditorDeCodigo::lerATelaAgora()
{
    if (lendoATela_)
        co_return;
    QPointer<ModeloDoEditorDeCodigo> vivo(this);
    definirErro(QString());
    definirLendoATela(true);
    std::optional<QList<QString>> lidos;
    enum class Falha { nenhuma, permissao, cancelada, captura } falha = Falha::nenhuma;
    try {
        const LeitorDeTela &leitor = leitorDeTela();
        if (leitor)
            lidos = co_await leitor(estado());
        else
            lidos = co_await LeitorDaTelaNoMac::lerATela(estado());
    } catch (const LeitorDaTelaNoMac::SemPermissao &) {
        falha = Falha::permissao;
    } catch (const LeitorDaTelaNoMac::Cancelada &) {
        falha = Falha::cancelada;
    } catch (const LeitorDaTelaNoMac::FalhaNaCaptura &) {
        falha = Falha::captura;
    }
    if (!vivo)
        co_return;
    // The user's own cancel says nothing about the permission: the notice stays as it was.
    if (falha != Falha::cancelada)
        definirPermissaoDaTelaNegada(falha == Falha::permissao);
    if (falha == Falha::captura)
        definirErro(QStringLiteral("Não deu para ler a tela. Tente de novo."));
    else if (lidos && lidos->isEmpty())
        definirErro(QStringLiteral("Não achamos um QR Code na tela. Deixe o QR do site visível e tente de novo."));
    definirLendoATela(false);
    if (lidos && !lidos->isEmpty())
        importarLeituras(*lidos);
}
