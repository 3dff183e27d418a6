#include "autofill/ModeloDoPreenchimento.h"

#include "servicos/Relogio.h"
#include "servicos/Seguranca.h"
#include "autofill/SufixosPublicos.h"
#include "core/Aparar.h"
#include "core/ArquivosDoPreenchimento.h"
#include "core/Chaveiro.h"
#include "core/Envelope.h"
#include "core/ErroDeCripto.h"
#include "core/Item.h"
#include "plataforma/RepositorioDeIdentidades.h"

#include <QCollator>
#include <QThread>
#include <QUuid>

#include <algorithm>

namespace {

const QString motivoDoDono = QStringLiteral("Preencher a senha com o Corvane");

void exigirThreadPrincipal(const QObject *objeto)
{
    Q_ASSERT_X(QThread::currentThread() == objeto->thread(), "ModeloDoPreenchimento", "main thread only");
    Q_UNUSED(objeto);
}

// The sites as the model keeps them: URLs by their host, domains only lower-cased.
QList<QString> normalizarServicos(const QList<IdentificadorDeServico> &servicos)
{
    QList<QString> dominios;
    for (const IdentificadorDeServico &servico : servicos) {
        if (servico.tipo == IdentificadorDeServico::Tipo::url) {
            if (auto host = normalizarSite(servico.identificador))
                dominios.append(*host);
        } else {
            dominios.append(servico.identificador.toLower());
        }
    }
    return dominios;
}

OpcaoDePreenchimento opcaoDeCodigo(const QString &id, const DadosDeCodigo &dados,
                                   const QList<VinculoDoPreenchimento> &vinculos)
{
    OpcaoDePreenchimento opcao;
    opcao.id = id;
    opcao.titulo = dados.titulo();
    opcao.usuario = dados.json.texto(QStringLiteral("conta"));
    opcao.dominios = dados.dominios();
    for (const VinculoDoPreenchimento &vinculo : vinculos)
        if (vinculo.id == id)
            opcao.dominios.append(vinculo.dominio);
    opcao.codigo = dados.parametros();
    opcao.tipo = TipoDeItem::codigo;
    return opcao;
}

OpcaoDePreenchimento opcaoDeSenha(const QString &id, const QString &titulo, const DadosDeSenha &dados)
{
    OpcaoDePreenchimento opcao;
    opcao.id = id;
    opcao.titulo = titulo;
    opcao.usuario = dados.json.texto(QStringLiteral("usuario"));
    opcao.senha = dados.json.texto(QStringLiteral("senha"));
    opcao.dominios = dados.dominios();
    if (const auto codigo = dados.codigo())
        opcao.codigo = codigo->parametros();
    opcao.tipo = TipoDeItem::senha;
    return opcao;
}

bool casaUm(const QString &d, const QString &r)
{
    return mesmoSiteOuSubdominio(d, r);
}

} // namespace

bool casaComAlgum(const QList<QString> &dominiosDaOpcao, const QList<QString> &pedidos)
{
    for (const QString &d : dominiosDaOpcao)
        for (const QString &r : pedidos)
            if (casaUm(d, r))
                return true;
    return false;
}

ModeloDoPreenchimento::ModeloDoPreenchimento(QObject *pai)
    : QObject(pai), verificacaoDoDono_([](QString motivo) { return ::autenticarDono(std::move(motivo)); }),
      relogio_(&Relogio::doSistema())
{
    connect(this, &ModeloDoPreenchimento::faseMudou, this, &ModeloDoPreenchimento::tituloDoCabecalhoMudou);
    connect(this, &ModeloDoPreenchimento::modoMudou, this, &ModeloDoPreenchimento::tituloDoCabecalhoMudou);
}

void ModeloDoPreenchimento::definirFase(Fase fase)
{
    if (fase_ == fase)
        return;
    fase_ = fase;
    emit faseMudou();
}

void ModeloDoPreenchimento::definirModo(const ModoDoPreenchimento &modo)
{
    if (modo_ == modo)
        return;
    modo_ = modo;
    emit modoMudou();
}

void ModeloDoPreenchimento::definirDominios(const QList<QString> &dominios)
{
    if (dominios_ == dominios)
        return;
    dominios_ = dominios;
    emit dominiosMudou();
}

void ModeloDoPreenchimento::preparar(const ModoDoPreenchimento &modo, const QList<IdentificadorDeServico> &servicos)
{
    exigirThreadPrincipal(this);
    definirModo(modo);
    definirDominios(normalizarServicos(servicos));
    if (modo.caso == ModoDoPreenchimento::Caso::configuracao) {
        definirFase(Fase::configuracao);
        return;
    }
    copia_ = CopiaDoCofre::ler();
    std::optional<Conta> conta;
    if (copia_)
        conta = copia_->conta;
    if (conta_ != conta)
        conta_ = std::move(conta);
    if (conta_) {
        if (const auto chave = Chaveiro::lerChaveDoCofre()) {
            carregarOpcoes(*chave);
            return;
        }
    }
    definirFase(Fase::semConta);
}

void ModeloDoPreenchimento::carregarOpcoes(const QByteArray &chave)
{
    exigirThreadPrincipal(this);
    QList<OpcaoDePreenchimento> opcoes;
    const QList<VinculoDoPreenchimento> vinculos = VinculoDoPreenchimento::ler();
    if (copia_) {
        for (const ItemCifrado &item : std::as_const(copia_->itens)) {
            if (item.apagadoEm || !item.dados)
                continue;
            std::optional<ItemAberto> aberto;
            try {
                aberto = ItemAberto::de(item, item.abrir(chave));
            } catch (const ErroDeCripto &) {
                continue; // another key, tampered or not an object: left out silently
            }
            if (const DadosDeCodigo *codigo = aberto->conteudo.codigo())
                opcoes.append(opcaoDeCodigo(item.id, *codigo, vinculos));
            else if (const DadosDeSenha *senha = aberto->conteudo.senha())
                opcoes.append(opcaoDeSenha(item.id, aberto->titulo(), *senha));
        }
    }

    QSet<QString> ids;
    for (const OpcaoDePreenchimento &opcao : std::as_const(opcoes))
        ids.insert(opcao.id);
    for (const NovaDoPreenchimento &nova : NovaDoPreenchimento::ler()) {
        if (ids.contains(nova.id))
            continue; // already uploaded and synchronised into the copy
        try {
            const ConteudoDoItem conteudo(DadosDeSenha(ItemCifrado::abrir(nova.dados, nova.id, chave)));
            opcoes.append(opcaoDeSenha(nova.id, conteudo.titulo(), *conteudo.senha()));
        } catch (const ErroDeCripto &) {
            continue;
        }
    }

    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(opcoes.begin(), opcoes.end(), [&collator](const auto &a, const auto &b) {
        return collator.compare(a.titulo, b.titulo) < 0;
    });
    opcoes_ = std::move(opcoes);
    emit opcoesMudaram();

    if (modo_.caso == ModoDoPreenchimento::Caso::direto) {
        const auto encontrada = std::find_if(opcoes_.cbegin(), opcoes_.cend(),
                                             [this](const auto &opcao) { return opcao.id == modo_.id; });
        if (encontrada != opcoes_.cend()) {
            escolher(*encontrada, modo_.codigo);
            return;
        }
    }
    definirFase(Fase::aberto);
}

ModeloDoPreenchimento::Filtradas ModeloDoPreenchimento::opcoesFiltradas(const QString &busca) const
{
    const IndicesFiltrados indices = indicesFiltrados(busca);
    Filtradas resultado;
    for (const qsizetype i : indices.casam)
        resultado.casam.append(opcoes_.at(i));
    for (const qsizetype i : indices.outras)
        resultado.outras.append(opcoes_.at(i));
    return resultado;
}

ModeloDoPreenchimento::IndicesFiltrados ModeloDoPreenchimento::indicesFiltrados(const QString &busca) const
{
    const bool deCodigo = modo_.pedeCodigo();
    const QString termo = aparadoDeEspacosETabs(busca);
    const auto contem = [&termo](const QString &texto) { return texto.contains(termo, Qt::CaseInsensitive); };
    IndicesFiltrados resultado;
    for (qsizetype i = 0; i < opcoes_.size(); ++i) {
        const OpcaoDePreenchimento &opcao = opcoes_.at(i);
        if (deCodigo ? !opcao.codigo : opcao.senha.isEmpty())
            continue;
        if (!termo.isEmpty() && !contem(opcao.titulo) && !contem(opcao.usuario)
            && std::none_of(opcao.dominios.cbegin(), opcao.dominios.cend(), contem))
            continue;
        (casaComAlgum(opcao.dominios, dominios_) ? resultado.casam : resultado.outras).append(i);
    }
    return resultado;
}

void ModeloDoPreenchimento::abrirListaNoDireto()
{
    if (modo_.caso == ModoDoPreenchimento::Caso::direto)
        definirFase(Fase::aberto);
}

void ModeloDoPreenchimento::escolher(const OpcaoDePreenchimento &opcao, std::optional<bool> codigo)
{
    exigirThreadPrincipal(this);
    const bool ramoDoCodigo = codigo.value_or(modo_.pedeCodigo());
    if (ramoDoCodigo) {
        std::optional<QString> texto;
        if (opcao.codigo) {
            try {
                texto = opcao.codigo->codigo(relogio_->agora());
            } catch (const ErroDeCripto &) {
            }
        }
        if (!texto) {
            abrirListaNoDireto(); // nothing to hand over: let the user choose
            return;
        }
        vincularCodigo(opcao);
        if (aoEscolherCodigo_)
            aoEscolherCodigo_(*texto);
        return;
    }
    if (opcao.senha.isEmpty()) {
        abrirListaNoDireto(); // never hand over an empty password
        return;
    }
    autenticarDono(QPointer(this), opcao);
}

QCoro::Task<> ModeloDoPreenchimento::autenticarDono(QPointer<ModeloDoPreenchimento> modelo, OpcaoDePreenchimento opcao)
{
    // The check is copied into this frame so it outlives a model destroyed during the prompt.
    const VerificacaoDoDono verificacao = modelo->verificacaoDoDono_;
    const bool confirmado = co_await verificacao(motivoDoDono);
    if (!modelo)
        co_return;
    if (!confirmado) {
        modelo->abrirListaNoDireto();
        co_return;
    }
    if (modelo->aoEscolherSenha_)
        modelo->aoEscolherSenha_(opcao.usuario, opcao.senha);
}

void ModeloDoPreenchimento::vincularCodigo(const OpcaoDePreenchimento &opcao)
{
    exigirThreadPrincipal(this);
    if (opcao.tipo != TipoDeItem::codigo || dominios_.isEmpty())
        return;
    const QString &dominio = dominios_.first();
    if (dominio.isEmpty() || opcao.dominios.contains(dominio))
        return;
    (void)VinculoDoPreenchimento::acrescentar({opcao.id, dominio});
    const QString rotulo = opcao.usuario.isEmpty() ? opcao.titulo
                                                   : opcao.titulo + QStringLiteral(" \u00B7 ") + opcao.usuario;
    // The host's store is a small locked file: written here, before the code goes out, so the
    // identity is not lost when the extension exits right after answering. Failure is ignored.
    (void)RepositorioDeIdentidades::atual()->adicionar(IdentidadeDeCodigo{dominio, rotulo, opcao.id});
}

bool ModeloDoPreenchimento::salvarNovaSenha(const QString &titulo, const QString &usuario, const QString &senha)
{
    exigirThreadPrincipal(this);
    const auto chave = Chaveiro::ler(QString::fromLatin1(Chaveiro::contaDaChaveDoCofre));
    if (!chave || chave->size() != Chaveiro::tamanhoDaChaveDoCofre)
        return false;
    const QString id = QUuid::createUuid().toString(QUuid::WithoutBraces).toLower();
    QList<QString> sites;
    if (!dominios_.isEmpty() && !dominios_.first().isEmpty())
        sites.append(dominios_.first());
    const DadosDeSenha dados = DadosDeSenha::novo(titulo, usuario, senha, sites, QString(), false);
    NovaDoPreenchimento nova;
    try {
        const QByteArray texto = ValorJSON::objeto(dados.json).escritoEmUTF8();
        nova = {id, Cripto::selarEnvelope(texto, *chave, Cripto::rotuloDoItem(id)), relogio_->agora()};
    } catch (const ErroDeCripto &) {
        return false;
    }
    // Under the lock the application also takes; a file that exists but does not decode is
    // never written over, and the save fails.
    if (!NovaDoPreenchimento::acrescentar(nova))
        return false;
    if (aoEscolherSenha_)
        aoEscolherSenha_(usuario, senha);
    return true;
}
