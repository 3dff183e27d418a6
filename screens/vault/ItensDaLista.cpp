#include "ItensDaLista.h"

#include "SecaoDoMac.h"

#include <algorithm>

void ItensDaLista::definirCofre(Cofre *cofre)
{
    if (cofre_ == cofre)
        return;
    disconnect(ligacao_);
    cofre_ = cofre;
    if (cofre_)
        ligacao_ = connect(cofre_, &Cofre::abertosMudou, this, &ItensDaLista::ler);
    ler();
    emit cofreMudou();
}

void ItensDaLista::definirBusca(const QString &busca)
{
    if (busca_ == busca)
        return;
    busca_ = busca;
    ler();
    emit buscaMudou();
}

void ItensDaLista::definirTipo(const QString &tipo)
{
    if (tipo_ == tipo)
        return;
    tipo_ = tipo;
    ler();
    emit tipoMudou();
}

QStringList ItensDaLista::camposDeBusca(const ItemAberto &item)
{
    if (const DadosDeSenha *senha = item.conteudo.senha())
        return {senha->json.texto(QStringLiteral("titulo")), senha->json.texto(QStringLiteral("usuario")),
                senha->json.sites().join(QLatin1Char(' '))};
    if (const DadosDeNota *nota = item.conteudo.nota())
        return {item.titulo(), nota->json.texto(QStringLiteral("texto"))};
    return {};
}

QString ItensDaLista::subtitulo(const ItemAberto &item)
{
    if (const DadosDeSenha *senha = item.conteudo.senha())
        return senha->json.texto(QStringLiteral("usuario"));
    if (const DadosDeNota *nota = item.conteudo.nota())
        return nota->json.texto(QStringLiteral("texto"));
    return {};
}

void ItensDaLista::ler()
{
    const auto tipo = tipoDeItem(tipo_);
    QList<ItemAberto> todos;
    if (cofre_ && tipo == TipoDeItem::senha)
        todos = cofre_->senhas();
    else if (cofre_ && tipo == TipoDeItem::nota)
        todos = cofre_->notas();
    const QString aparada = aparaBusca(busca_);
    QList<ItemAberto> novas;
    bool algum = false;
    for (const ItemAberto &item : std::as_const(todos)) {
        if (item.conteudo.tipo() != *tipo)
            continue;
        algum = true;
        if (aparada.isEmpty() || combinaComBuscaAparada(aparada, camposDeBusca(item)))
            novas.append(item);
    }
    semItens_ = !algum;
    trocarLinhas(
        linhas_, novas, [](const ItemAberto &item) { return item.id; },
        [](const ItemAberto &a, const ItemAberto &b) { return a == b; });
    emit listaMudou();
}

int ItensDaLista::rowCount(const QModelIndex &pai) const { return pai.isValid() ? 0 : int(linhas_.size()); }

QVariant ItensDaLista::data(const QModelIndex &indice, int papel) const
{
    if (!indice.isValid() || indice.row() >= linhas_.size())
        return {};
    const ItemAberto &item = linhas_.at(indice.row());
    switch (papel) {
    case IdDoItem:
        return item.id;
    case Titulo:
        return item.titulo();
    case Subtitulo:
        return subtitulo(item);
    case Dominios: {
        const DadosDeSenha *senha = item.conteudo.senha();
        return senha ? QStringList(senha->dominios()) : QStringList();
    }
    default:
        return {};
    }
}

QHash<int, QByteArray> ItensDaLista::roleNames() const
{
    return {{IdDoItem, "idDoItem"}, {Titulo, "titulo"}, {Subtitulo, "subtitulo"}, {Dominios, "dominios"}};
}

QStringList ItensDaLista::ids() const
{
    QStringList lista;
    for (const ItemAberto &item : linhas_)
        lista << item.id;
    return lista;
}

QString ItensDaLista::escolhaInicial(const QString &escolhida) const
{
    if (!escolhida.isEmpty())
        return escolhida;
    return linhas_.isEmpty() ? QString() : linhas_.constFirst().id;
}

int ItensDaLista::posicao(const QString &id) const
{
    for (qsizetype i = 0; i < linhas_.size(); ++i) {
        if (linhas_.at(i).id == id)
            return int(i);
    }
    return -1;
}

QString ItensDaLista::vizinho(const QString &escolhida, int passo) const
{
    if (linhas_.isEmpty())
        return {};
    const int atual = posicao(escolhida);
    if (atual < 0)
        return linhas_.constFirst().id;
    const int destino = std::clamp(atual + passo, 0, int(linhas_.size()) - 1);
    return linhas_.at(destino).id;
}
