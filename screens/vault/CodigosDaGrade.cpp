#include "CodigosDaGrade.h"

#include "SecaoDoMac.h"

#include "screens/comum/AreaDeTransferencia.h"


// One listed code: its data read once, its generator built on first use.
struct CodigosDaGrade::Entrada {
    QString id;
    DadosDeCodigo dados;
    QString titulo;
    QString conta;
    QStringList campos; // issuer, account, title: what the search looks at
    mutable std::optional<std::unique_ptr<GeradorDeCodigos>> gerador;
    // The last moment computed, so the roles of one tick share one computation.
    mutable QDateTime agoraDoMomento;
    mutable RegrasDoCodigo::Momento ultimo;

    explicit Entrada(const ItemAberto &item) : id(item.id), dados(*item.conteudo.codigo())
    {
        titulo = item.titulo();
        conta = dados.json.texto(QStringLiteral("conta"));
        campos = {dados.json.texto(QStringLiteral("emissor")), conta, titulo};
    }

    [[nodiscard]] const GeradorDeCodigos *geradorPreparado() const
    {
        if (!gerador) {
            try {
                gerador = std::make_unique<GeradorDeCodigos>(dados.parametros());
            } catch (const ErroDeCripto &) {
                gerador = std::unique_ptr<GeradorDeCodigos>(); // a secret that does not decode
            }
        }
        return gerador->get();
    }

    [[nodiscard]] const RegrasDoCodigo::Momento &momento(const QDateTime &agora) const
    {
        if (agora != agoraDoMomento || !agora.isValid()) {
            ultimo = RegrasDoCodigo::momento(geradorPreparado(), dados.periodo(), agora);
            agoraDoMomento = agora;
        }
        return ultimo;
    }
};

CodigosDaGrade::CodigosDaGrade(QObject *pai) : ListaPorDiferenca(pai), agora_(QDateTime::currentDateTimeUtc()) {}

CodigosDaGrade::~CodigosDaGrade() = default;

void CodigosDaGrade::definirCofre(Cofre *cofre)
{
    if (cofre_ == cofre)
        return;
    for (const auto &ligacao : std::as_const(ligacoes_))
        disconnect(ligacao);
    ligacoes_.clear();
    cofre_ = cofre;
    if (cofre_) {
        ligacoes_ << connect(cofre_, &Cofre::abertosMudou, this, &CodigosDaGrade::lerCofre)
                  << connect(cofre_, &Cofre::ordemMudou, this, &CodigosDaGrade::lerCofre);
    }
    lerCofre();
    emit cofreMudou();
}

void CodigosDaGrade::definirBusca(const QString &busca)
{
    if (busca_ == busca)
        return;
    busca_ = busca;
    filtrar();
    emit buscaMudou();
}

void CodigosDaGrade::definirAgora(const QDateTime &agora)
{
    if (agora_ == agora)
        return;
    agora_ = agora;
    // One change over every row, of the time-bound roles only: the view asks again only for
    // the cards it has built, whose delegates stay.
    if (!linhas_.isEmpty())
        emit dataChanged(index(0), index(int(linhas_.size()) - 1),
                         {Codigo, CodigoExibido, Proximo, ProximoExibido, Restantes, Fracao, Acabando});
    emit agoraMudou();
}

void CodigosDaGrade::lerCofre()
{
    QHash<QString, std::shared_ptr<Entrada>> anteriores;
    for (const auto &entrada : std::as_const(todos_))
        anteriores.insert(entrada->id, entrada);
    QList<std::shared_ptr<Entrada>> novos;
    if (cofre_) {
        const QList<ItemAberto> codigos = cofre_->codigos();
        novos.reserve(codigos.size());
        for (const ItemAberto &item : codigos) {
            const DadosDeCodigo *dados = item.conteudo.codigo();
            if (!dados)
                continue;
            const auto anterior = anteriores.constFind(item.id);
            if (anterior != anteriores.cend() && (*anterior)->dados == *dados)
                novos.append(*anterior);
            else
                novos.append(std::make_shared<Entrada>(item));
        }
    }
    todos_ = std::move(novos);
    filtrar();
}

void CodigosDaGrade::filtrar()
{
    const QString aparada = aparaBusca(busca_);
    QList<std::shared_ptr<Entrada>> novas;
    if (aparada.isEmpty()) {
        novas = todos_;
    } else {
        for (const auto &entrada : std::as_const(todos_)) {
            if (combinaComBuscaAparada(aparada, entrada->campos))
                novas.append(entrada);
        }
    }
    // By difference: the cards that stay keep their delegates, also when a code moved (a rename,
    // a favourite) or changed (a new entry for the same id).
    trocarLinhas(
        linhas_, novas, [](const std::shared_ptr<Entrada> &e) { return e->id; },
        [](const std::shared_ptr<Entrada> &a, const std::shared_ptr<Entrada> &b) { return a == b; });
    emit listaMudou();
}

int CodigosDaGrade::rowCount(const QModelIndex &pai) const { return pai.isValid() ? 0 : int(linhas_.size()); }

const CodigosDaGrade::Entrada *CodigosDaGrade::entrada(int linha) const
{
    return linha >= 0 && linha < linhas_.size() ? linhas_.at(linha).get() : nullptr;
}

RegrasDoCodigo::Momento CodigosDaGrade::momento(int linha) const
{
    const Entrada *e = entrada(linha);
    return e ? e->momento(agora_) : RegrasDoCodigo::Momento{};
}

QVariant CodigosDaGrade::data(const QModelIndex &indice, int papel) const
{
    const Entrada *e = entrada(indice.row());
    if (!e || indice.parent().isValid())
        return {};
    switch (papel) {
    case IdDoItem:
        return e->id;
    case Titulo:
        return e->titulo;
    case Conta:
        return e->conta;
    case Favorito:
        return e->dados.json.booleano(QStringLiteral("favorito"));
    case Icone:
        return e->dados.json.texto(QStringLiteral("icone"));
    case Dominios:
        return QStringList(e->dados.dominios());
    case Periodo:
        return e->dados.periodo();
    default:
        break;
    }
    const RegrasDoCodigo::Momento &m = e->momento(agora_);
    switch (papel) {
    case Codigo:
        return m.codigo;
    case CodigoExibido:
        return Totp::formatarParaExibir(m.codigo);
    case Proximo:
        return m.proximo;
    case ProximoExibido:
        return Totp::formatarParaExibir(m.proximo);
    case Restantes:
        return m.restantes;
    case Fracao:
        return m.fracao;
    case Acabando:
        return m.acabando;
    default:
        return {};
    }
}

QHash<int, QByteArray> CodigosDaGrade::roleNames() const
{
    return {{IdDoItem, "idDoItem"},         {Titulo, "titulo"},   {Conta, "conta"},
            {Favorito, "favorito"},         {Icone, "icone"},     {Dominios, "dominios"},
            {Periodo, "periodo"},           {Codigo, "codigo"},   {CodigoExibido, "codigoExibido"},
            {Proximo, "proximo"},           {ProximoExibido, "proximoExibido"},
            {Restantes, "restantes"},       {Fracao, "fracao"},   {Acabando, "acabando"}};
}

QStringList CodigosDaGrade::ids() const
{
    QStringList lista;
    for (const auto &e : linhas_)
        lista << e->id;
    return lista;
}

bool CodigosDaGrade::copiarAoClicar(int linha, CentralDeAvisos *avisos) const
{
    const Entrada *e = entrada(linha);
    if (!e || !avisos)
        return false;
    return RegrasDoCodigo::copiar(e->momento(agora_).codigo, RegrasDoCodigo::avisoDoClique(e->titulo), *avisos,
                                  AreaDeTransferencia::doProcesso());
}

bool CodigosDaGrade::copiarDoMenu(int linha, CentralDeAvisos *avisos) const
{
    const Entrada *e = entrada(linha);
    if (!e || !avisos)
        return false;
    return RegrasDoCodigo::copiar(e->momento(agora_).codigo, RegrasDoCodigo::avisoDoMenu(), *avisos,
                                  AreaDeTransferencia::doProcesso());
}
