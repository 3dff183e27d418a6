#include "autofill/OpcoesDaLista.h"

#include "core/ErroDeCripto.h"

// One option as its row shows it; its live code is computed once per tick, when the row asks.
struct OpcoesDaLista::Entrada {
    OpcaoDePreenchimento opcao;
    bool casa = false;
    mutable QDateTime agoraDoCodigo;
    mutable QString codigo;

    [[nodiscard]] const QString &codigoEm(const QDateTime &agora) const
    {
        if (agora != agoraDoCodigo || !agora.isValid()) {
            codigo.clear();
            if (opcao.codigo) {
                try {
                    codigo = Totp::formatarParaExibir(opcao.codigo->codigo(agora));
                } catch (const ErroDeCripto &) {
                }
            }
            agoraDoCodigo = agora;
        }
        return codigo;
    }
};

OpcoesDaLista::OpcoesDaLista(QObject *pai) : ListaPorDiferenca(pai), agora_(QDateTime::currentDateTimeUtc()) {}

OpcoesDaLista::~OpcoesDaLista() = default;

void OpcoesDaLista::definirModelo(ModeloDoPreenchimento *modelo)
{
    if (modelo_ == modelo)
        return;
    for (const auto &ligacao : std::as_const(ligacoes_))
        disconnect(ligacao);
    ligacoes_.clear();
    modelo_ = modelo;
    if (modelo_) {
        ligacoes_ << connect(modelo_, &ModeloDoPreenchimento::opcoesMudaram, this, &OpcoesDaLista::lerModelo)
                  << connect(modelo_, &ModeloDoPreenchimento::modoMudou, this, &OpcoesDaLista::lerModelo)
                  << connect(modelo_, &ModeloDoPreenchimento::dominiosMudou, this, &OpcoesDaLista::lerModelo);
    }
    lerModelo();
    emit modeloMudou();
}

void OpcoesDaLista::definirBusca(const QString &busca)
{
    if (busca_ == busca)
        return;
    busca_ = busca;
    filtrar();
    emit buscaMudou();
}

void OpcoesDaLista::definirAgora(const QDateTime &agora)
{
    if (agora_ == agora)
        return;
    agora_ = agora;
    // Only the codes move; the view asks again for the rows it has built.
    if (modelo_ && modelo_->modoDeCodigo() && !linhas_.isEmpty())
        emit dataChanged(index(0), index(int(linhas_.size()) - 1), {Codigo});
    emit agoraMudou();
}

void OpcoesDaLista::lerModelo()
{
    QList<std::shared_ptr<Entrada>> novas;
    if (modelo_) {
        const QList<OpcaoDePreenchimento> &opcoes = modelo_->opcoes();
        const QList<QString> &dominios = modelo_->dominios();
        novas.reserve(opcoes.size());
        for (const OpcaoDePreenchimento &opcao : opcoes) {
            auto entrada = std::make_shared<Entrada>();
            entrada->opcao = opcao;
            entrada->casa = casaComAlgum(opcao.dominios, dominios);
            novas.append(std::move(entrada));
        }
    }
    todas_ = std::move(novas);
    filtrar();
}

void OpcoesDaLista::filtrar()
{
    QList<std::shared_ptr<Entrada>> novas;
    casam_ = outras_ = 0;
    if (modelo_ && modelo_->opcoes().size() == todas_.size()) {
        const ModeloDoPreenchimento::IndicesFiltrados indices = modelo_->indicesFiltrados(busca_);
        novas.reserve(indices.casam.size() + indices.outras.size());
        for (const qsizetype i : indices.casam)
            novas.append(todas_.at(i));
        for (const qsizetype i : indices.outras)
            novas.append(todas_.at(i));
        casam_ = int(indices.casam.size());
        outras_ = int(indices.outras.size());
    }
    // An option seen under both sections is a different row in each (its header changes).
    trocarLinhas(
        linhas_, novas,
        [](const std::shared_ptr<Entrada> &e) {
            return (e->casa ? QStringLiteral("c:") : QStringLiteral("o:")) + e->opcao.id;
        },
        [](const std::shared_ptr<Entrada> &a, const std::shared_ptr<Entrada> &b) { return a == b; });
    emit listaMudou();
}

QString OpcoesDaLista::cabecalhoDeCasam() const
{
    return casam_ == 0 || !modelo_ ? QString() : (QStringLiteral("Para ") + modelo_->primeiroDominio()).toUpper();
}

QString OpcoesDaLista::cabecalhoDeOutras() const
{
    if (outras_ == 0 || !modelo_)
        return {};
    const QString texto = casam_ > 0                ? QStringLiteral("Outras")
                          : modelo_->modoDeCodigo() ? QStringLiteral("Seus códigos")
                                                    : QStringLiteral("Suas senhas");
    return texto.toUpper();
}

QString OpcoesDaLista::dica() const
{
    if (!modelo_ || !modelo_->modoDeCodigo() || casam_ > 0 || outras_ == 0 || modelo_->dominios().isEmpty())
        return {};
    return QStringLiteral("Escolha o código de %1. Da próxima vez ele aparece sozinho.").arg(modelo_->primeiroDominio());
}

QVariant OpcoesDaLista::aviso() const
{
    if (!modelo_ || casam_ + outras_ > 0)
        return {};
    const auto aviso = [](const QString &simbolo, const QString &titulo, const QString &texto) {
        return QVariantMap{{QStringLiteral("simbolo"), simbolo},
                           {QStringLiteral("titulo"), titulo},
                           {QStringLiteral("texto"), texto}};
    };
    if (!busca_.isEmpty())
        return aviso(QStringLiteral("magnifyingglass"), QStringLiteral("Nada encontrado"),
                     QStringLiteral("Nenhum item com \u201C%1\u201D.").arg(busca_));
    if (modelo_->modoDeCodigo())
        return aviso(QStringLiteral("circle.grid.3x3"), QStringLiteral("Nenhum código"),
                     QStringLiteral("Adicione códigos pelo app Corvane."));
    return aviso(QStringLiteral("key"), QStringLiteral("Nenhuma senha salva"),
                 QStringLiteral("Salve a primeira senha deste site agora."));
}

QString OpcoesDaLista::rodape() const
{
    if (!modelo_ || modelo_->modoDeCodigo())
        return {};
    return modelo_->dominios().isEmpty() ? QStringLiteral("Salvar uma senha nova")
                                         : QStringLiteral("Salvar uma senha nova para ") + modelo_->primeiroDominio();
}

QString OpcoesDaLista::dicaDaLinha() const
{
    return modelo_ && modelo_->modoDeCodigo() ? QStringLiteral("Preencher este código")
                                              : QStringLiteral("Preencher esta senha");
}

int OpcoesDaLista::rowCount(const QModelIndex &pai) const { return pai.isValid() ? 0 : int(linhas_.size()); }

QVariant OpcoesDaLista::data(const QModelIndex &indice, int papel) const
{
    if (!indice.isValid() || indice.parent().isValid() || indice.row() >= linhas_.size())
        return {};
    const Entrada &e = *linhas_.at(indice.row());
    switch (papel) {
    case IdDoItem:
        return e.opcao.id;
    case Titulo:
        return e.opcao.titulo;
    case Usuario:
        return e.opcao.usuario;
    case Dominios:
        return QStringList(e.opcao.dominios);
    case Secao:
        return e.casa ? QStringLiteral("casam") : QStringLiteral("outras");
    case Codigo:
        return modelo_ && modelo_->modoDeCodigo() ? e.codigoEm(agora_) : QString();
    default:
        return {};
    }
}

QHash<int, QByteArray> OpcoesDaLista::roleNames() const
{
    return {{IdDoItem, "idDoItem"}, {Titulo, "titulo"}, {Usuario, "usuario"},
            {Dominios, "dominios"}, {Secao, "secao"},   {Codigo, "codigo"}};
}

QStringList OpcoesDaLista::ids() const
{
    QStringList lista;
    lista.reserve(linhas_.size());
    for (const auto &e : linhas_)
        lista << e->opcao.id;
    return lista;
}
