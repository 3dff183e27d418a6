#include "core/ConteudoDoItem.h"

#include "core/Aparar.h"
#include "core/SemRepeticoes.h"

#include <QSet>
#include <QUrl>

namespace {

const QString chaveSites = QStringLiteral("sites");
const QString chaveFavorito = QStringLiteral("favorito");
const QString chaveTitulo = QStringLiteral("titulo");

constexpr qint64 digitosPadrao = 6;
constexpr qint64 periodoPadrao = 30;

AlgoritmoTotp algoritmoDe(const ObjetoJSON &objeto)
{
    const QString texto = objeto.texto(QStringLiteral("algoritmo"));
    if (texto == QLatin1String("SHA256"))
        return AlgoritmoTotp::sha256;
    if (texto == QLatin1String("SHA512"))
        return AlgoritmoTotp::sha512;
    return AlgoritmoTotp::sha1;
}

// The period every reading uses: a stored value below 1 (zero, negative) would make the code's
// counter divide by zero, so it reads as 1.
qint64 periodoDe(const ObjetoJSON &objeto)
{
    return std::max<qint64>(1, objeto.inteiro(QStringLiteral("periodo"), periodoPadrao));
}

qint64 digitosDe(const ObjetoJSON &objeto)
{
    return objeto.inteiro(QStringLiteral("digitos"), digitosPadrao);
}

ValorJSON listaDeTextos(const QList<QString> &textos)
{
    QList<ValorJSON> valores;
    valores.reserve(textos.size());
    for (const QString &texto : textos)
        valores.append(ValorJSON::texto(texto));
    return ValorJSON::lista(std::move(valores));
}

QList<QString> hostsDe(const QList<QString> &sites)
{
    QList<QString> hosts;
    hosts.reserve(sites.size());
    for (const QString &site : sites) {
        if (auto host = normalizarSite(site))
            hosts.append(std::move(*host));
    }
    return hosts;
}

// An issuer or account name that reads as a host name ("github.com", not "Git Hub" nor an e-mail).
std::optional<QString> hostDoNome(const QString &nome)
{
    const QString texto = aparadoDeEspacosETabs(nome).toLower();
    if (texto.contains(QLatin1Char(' ')) || texto.contains(QLatin1Char('@')) || !texto.contains(QLatin1Char('.')))
        return std::nullopt;
    auto host = normalizarSite(texto);
    if (!host || !host->contains(QLatin1Char('.')))
        return std::nullopt;
    return host;
}

} // namespace

QString valorBruto(TipoDeItem tipo)
{
    switch (tipo) {
    case TipoDeItem::codigo:
        return QStringLiteral("codigo");
    case TipoDeItem::senha:
        return QStringLiteral("senha");
    case TipoDeItem::nota:
        return QStringLiteral("nota");
    }
    return QStringLiteral("codigo");
}

std::optional<TipoDeItem> tipoDeItem(const QString &texto)
{
    for (const TipoDeItem tipo : todosOsTiposDeItem) {
        if (valorBruto(tipo) == texto)
            return tipo;
    }
    return std::nullopt;
}

std::optional<QString> normalizarSite(const QString &site)
{
    QString texto = site.trimmed();
    if (texto.isEmpty())
        return std::nullopt;
    if (!texto.contains(QLatin1String("://")))
        texto.prepend(QLatin1String("https://"));
    const QUrl url(texto, QUrl::StrictMode);
    if (!url.isValid())
        return std::nullopt;
    QString host = url.host().toLower();
    if (host.startsWith(QLatin1String("www.")))
        host.remove(0, 4);
    if (host.isEmpty())
        return std::nullopt;
    return host;
}

// ---- DadosDeCodigo ----

DadosDeCodigo DadosDeCodigo::novo(const QString &emissor, const QString &conta, const QString &segredo,
                                  AlgoritmoTotp algoritmo, qint64 digitos, qint64 periodo)
{
    return DadosDeCodigo(ObjetoJSON({
        {QStringLiteral("emissor"), ValorJSON::texto(emissor)},
        {QStringLiteral("conta"), ValorJSON::texto(conta)},
        {QStringLiteral("segredo"), ValorJSON::texto(segredo)},
        {QStringLiteral("algoritmo"), ValorJSON::texto(valorBruto(algoritmo))},
        {QStringLiteral("digitos"), ValorJSON::numero(double(digitos))},
        {QStringLiteral("periodo"), ValorJSON::numero(double(periodo))},
        {chaveFavorito, ValorJSON::booleano(false)},
        {QStringLiteral("notas"), ValorJSON::texto(QString())},
    }));
}

QString DadosDeCodigo::titulo() const
{
    QString texto = aparadoDeEspacosETabs(json.texto(QStringLiteral("emissor")));
    if (texto.isEmpty())
        texto = aparadoDeEspacosETabs(json.texto(QStringLiteral("conta")));
    return texto.isEmpty() ? QStringLiteral("Sem nome") : texto;
}

QList<QString> DadosDeCodigo::dominios() const
{
    QList<QString> hosts = hostsDe(json.sites());
    for (const QString &chave : {QStringLiteral("emissor"), QStringLiteral("conta")}) {
        if (auto host = hostDoNome(json.texto(chave)))
            hosts.append(std::move(*host));
    }
    QSet<QString> vistos;
    return semRepeticoes(hosts, vistos);
}

void DadosDeCodigo::definirSites(const QList<QString> &sites)
{
    if (sites.isEmpty())
        json.definir(chaveSites, std::nullopt);
    else
        json.definir(chaveSites, listaDeTextos(sites));
}

AlgoritmoTotp DadosDeCodigo::algoritmo() const
{
    return algoritmoDe(json);
}

qint64 DadosDeCodigo::digitos() const
{
    return digitosDe(json);
}

qint64 DadosDeCodigo::periodo() const
{
    return periodoDe(json);
}

ParametrosTotp DadosDeCodigo::parametros() const
{
    return {json.texto(QStringLiteral("segredo")), algoritmo(), digitos(), periodo()};
}

// ---- DadosDeSenha ----

DadosDeSenha DadosDeSenha::novo(const QString &titulo, const QString &usuario, const QString &senha,
                                const QList<QString> &sites, const QString &notas, bool favorito)
{
    return DadosDeSenha(ObjetoJSON({
        {chaveTitulo, ValorJSON::texto(titulo)},
        {QStringLiteral("usuario"), ValorJSON::texto(usuario)},
        {QStringLiteral("senha"), ValorJSON::texto(senha)},
        {chaveSites, listaDeTextos(sites)},
        {QStringLiteral("notas"), ValorJSON::texto(notas)},
        {chaveFavorito, ValorJSON::booleano(favorito)},
    }));
}

QList<QString> DadosDeSenha::dominios() const
{
    return hostsDe(json.sites());
}

std::optional<CodigoDaSenha> DadosDeSenha::codigo() const
{
    const ValorJSON *valor = json.valor(QStringLiteral("codigo"));
    const ObjetoJSON *objeto = valor ? valor->comoObjeto() : nullptr;
    if (!objeto)
        return std::nullopt;
    CodigoDaSenha codigo;
    codigo.segredo = objeto->texto(QStringLiteral("segredo"));
    if (codigo.segredo.isEmpty())
        return std::nullopt;
    codigo.algoritmo = algoritmoDe(*objeto);
    codigo.digitos = digitosDe(*objeto);
    codigo.periodo = periodoDe(*objeto);
    return codigo;
}

void DadosDeSenha::definirSites(const QList<QString> &sites)
{
    json.definir(chaveSites, listaDeTextos(sites));
}

// ---- DadosDeNota ----

DadosDeNota::DadosDeNota(const QString &titulo, const QString &texto, bool favorito)
    : json({
          {chaveTitulo, ValorJSON::texto(titulo)},
          {QStringLiteral("texto"), ValorJSON::texto(texto)},
          {chaveFavorito, ValorJSON::booleano(favorito)},
      })
{
}

// ---- ConteudoDoItem ----

ConteudoDoItem ConteudoDoItem::de(TipoDeItem tipo, ObjetoJSON objeto)
{
    switch (tipo) {
    case TipoDeItem::codigo:
        return DadosDeCodigo(std::move(objeto));
    case TipoDeItem::senha:
        return DadosDeSenha(std::move(objeto));
    case TipoDeItem::nota:
        return DadosDeNota(std::move(objeto));
    }
    return DadosDeNota(std::move(objeto));
}

TipoDeItem ConteudoDoItem::tipo() const
{
    return std::visit(
        [](const auto &dados) {
            using T = std::decay_t<decltype(dados)>;
            if constexpr (std::is_same_v<T, DadosDeCodigo>)
                return TipoDeItem::codigo;
            else if constexpr (std::is_same_v<T, DadosDeSenha>)
                return TipoDeItem::senha;
            else
                return TipoDeItem::nota;
        },
        caso_);
}

const ObjetoJSON &ConteudoDoItem::json() const
{
    return std::visit([](const auto &dados) -> const ObjetoJSON & { return dados.json; }, caso_);
}

ObjetoJSON &ConteudoDoItem::json()
{
    return std::visit([](auto &dados) -> ObjetoJSON & { return dados.json; }, caso_);
}

QString ConteudoDoItem::titulo() const
{
    if (const DadosDeCodigo *dados = codigo())
        return dados->titulo();
    const QString titulo = json().texto(chaveTitulo);
    if (!titulo.isEmpty())
        return titulo;
    if (const DadosDeSenha *dados = senha()) {
        const QList<QString> hosts = dados->dominios();
        if (!hosts.isEmpty())
            return hosts.first();
    }
    return QStringLiteral("Sem título");
}

bool ConteudoDoItem::favorito() const
{
    return json().booleano(chaveFavorito);
}
