#include "ItemEscolhido.h"

#include "RegrasDasSenhas.h"

#include "core/ErroDeCripto.h"

ItemEscolhido::ItemEscolhido(QObject *pai) : QObject(pai) {}

ItemEscolhido::~ItemEscolhido() = default;

void ItemEscolhido::definirCofre(Cofre *cofre)
{
    if (cofre_ == cofre)
        return;
    disconnect(ligacao_);
    cofre_ = cofre;
    if (cofre_)
        ligacao_ = connect(cofre_, &Cofre::abertosMudou, this, &ItemEscolhido::ler);
    ler();
    emit cofreMudou();
}

void ItemEscolhido::definirIdDoItem(const QString &id)
{
    if (id_ == id)
        return;
    id_ = id;
    ler();
    emit idDoItemMudou();
}

void ItemEscolhido::definirTipo(const QString &tipo)
{
    if (tipo_ == tipo)
        return;
    tipo_ = tipo;
    ler();
    emit tipoMudou();
}

void ItemEscolhido::ler()
{
    std::optional<ItemAberto> novo;
    const auto tipo = tipoDeItem(tipo_);
    if (cofre_ && tipo && !id_.isEmpty()) {
        novo = cofre_->itemAberto(id_);
        if (novo && novo->conteudo.tipo() != *tipo)
            novo.reset();
    }
    if (novo == item_)
        return;
    item_ = std::move(novo);
    std::optional<CodigoDaSenha> codigo;
    if (item_ && item_->conteudo.senha())
        codigo = item_->conteudo.senha()->codigo();
    if (codigo != codigo_) {
        codigo_ = std::move(codigo);
        gerador_.reset();
    }
    emit itemMudou();
}

QString ItemEscolhido::titulo() const { return item_ ? item_->titulo() : QString(); }

QString ItemEscolhido::textoDaSenha(const QString &chave) const
{
    const DadosDeSenha *dados = item_ ? item_->conteudo.senha() : nullptr;
    return dados ? dados->json.texto(chave) : QString();
}

QString ItemEscolhido::texto() const
{
    const DadosDeNota *dados = item_ ? item_->conteudo.nota() : nullptr;
    return dados ? dados->json.texto(QStringLiteral("texto")) : QString();
}

QStringList ItemEscolhido::dominios() const
{
    const DadosDeSenha *dados = item_ ? item_->conteudo.senha() : nullptr;
    return dados ? QStringList(dados->dominios()) : QStringList();
}

QVariantList ItemEscolhido::sites() const
{
    const DadosDeSenha *dados = item_ ? item_->conteudo.senha() : nullptr;
    return dados ? RegrasDasSenhas::linhasDosSites(dados->json.sites()) : QVariantList();
}

QString ItemEscolhido::codigo(const QDateTime &agora) const
{
    if (!codigo_)
        return {};
    if (!gerador_) {
        try {
            gerador_ = std::make_unique<GeradorDeCodigos>(codigo_->parametros());
        } catch (const ErroDeCripto &) {
            gerador_ = std::unique_ptr<GeradorDeCodigos>(); // a secret that does not decode
        }
    }
    if (!*gerador_)
        return {};
    try {
        return (*gerador_)->codigo(agora);
    } catch (const ErroDeCripto &) {
        return {}; // digits outside what codes accept
    }
}

QString ItemEscolhido::codigoExibido(const QDateTime &agora) const { return Totp::formatarParaExibir(codigo(agora)); }
