#include "core/CodificacaoJSON.h"

#include "core/ErroDeCripto.h"

#include <cmath>

ErroDeDecodificacao::ErroDeDecodificacao(QString caminho, QString motivo)
    : caminho(std::move(caminho)), motivo(std::move(motivo)),
      texto_((this->caminho.isEmpty() ? this->motivo : this->caminho + QStringLiteral(": ") + this->motivo).toStdString())
{
}

namespace {

// 2001-01-01T00:00:00Z in milliseconds since the Unix epoch.
constexpr qint64 msDe2001 = 978307200000;

QString nomeDoCaso(ValorJSON::Caso caso)
{
    switch (caso) {
    case ValorJSON::Caso::booleano: return QStringLiteral("flag");
    case ValorJSON::Caso::numero: return QStringLiteral("número");
    case ValorJSON::Caso::texto: return QStringLiteral("texto");
    case ValorJSON::Caso::lista: return QStringLiteral("lista");
    case ValorJSON::Caso::objeto: return QStringLiteral("objeto");
    case ValorJSON::Caso::nulo: return QStringLiteral("null");
    }
    return {};
}

} // namespace

namespace CodificacaoJSON {

ValorJSON lerDocumento(const QByteArray &bytes)
{
    try {
        return ValorJSON::lerEstrito(bytes);
    } catch (const ErroDeCripto &) {
        throw ErroDeDecodificacao({}, QStringLiteral("o documento não é JSON"));
    }
}

ObjetoJSON lerObjeto(const QByteArray &bytes)
{
    return Leitor(lerDocumento(bytes)).objeto();
}

QByteArray escreverDocumento(const ValorJSON &valor)
{
    return valor.escritoEmUTF8();
}

double segundosDesde2001(const QDateTime &data)
{
    return static_cast<double>(data.toMSecsSinceEpoch() - msDe2001) / 1000.0;
}

std::optional<QDateTime> dataDeSegundosDesde2001(double segundos)
{
    // Bounded well inside QDateTime's range and far beyond any real date (about ±285 000 years).
    constexpr double limite = 9e15;
    const double ms = std::round(segundos * 1000.0);
    if (!std::isfinite(ms) || std::fabs(ms) > limite)
        return std::nullopt;
    return QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(ms) + msDe2001, Qt::UTC);
}

} // namespace CodificacaoJSON

// ---- Leitor ----

Leitor::Leitor(const ValorJSON &valor, QString caminho) : caminho_(std::move(caminho))
{
    const ObjetoJSON *objeto = valor.comoObjeto();
    if (!objeto)
        throw ErroDeDecodificacao(caminho_, QStringLiteral("esperava objeto, veio ") + nomeDoCaso(valor.caso()));
    objeto_ = *objeto;
}

Leitor::Leitor(ObjetoJSON objeto, QString caminho) : objeto_(std::move(objeto)), caminho_(std::move(caminho)) {}

bool Leitor::contem(const QString &chave) const
{
    return objeto_.valor(chave) != nullptr;
}

QString Leitor::caminhoDe(const QString &chave) const
{
    return caminho_.isEmpty() ? chave : caminho_ + QLatin1Char('.') + chave;
}

void Leitor::falhar(const QString &chave, const QString &motivo) const
{
    throw ErroDeDecodificacao(caminhoDe(chave), motivo);
}

const ValorJSON &Leitor::exigirValor(const QString &chave) const
{
    const ValorJSON *valor = talvezValor(chave);
    if (!valor)
        falhar(chave, QStringLiteral("chave ausente ou null"));
    return *valor;
}

void Leitor::exigirPresente(const QString &chave) const
{
    static_cast<void>(exigirValor(chave));
}

const ValorJSON *Leitor::talvezValor(const QString &chave) const
{
    const ValorJSON *valor = objeto_.valor(chave);
    return valor && !valor->ehNulo() ? valor : nullptr;
}

namespace {

[[noreturn]] void tipoErrado(const Leitor &leitor, const QString &chave, const char *esperado, const ValorJSON &valor)
{
    leitor.falhar(chave, QStringLiteral("esperava %1, veio %2").arg(QLatin1String(esperado), nomeDoCaso(valor.caso())));
}

} // namespace

QString Leitor::exigirTexto(const QString &chave) const
{
    exigirPresente(chave);
    return *talvezTexto(chave);
}

std::optional<QString> Leitor::talvezTexto(const QString &chave) const
{
    const ValorJSON *valor = talvezValor(chave);
    if (!valor)
        return std::nullopt;
    auto texto = valor->comoTexto();
    if (!texto)
        tipoErrado(*this, chave, "texto", *valor);
    return texto;
}

bool Leitor::exigirFlag(const QString &chave) const
{
    exigirPresente(chave);
    return *talvezFlag(chave);
}

std::optional<bool> Leitor::talvezFlag(const QString &chave) const
{
    const ValorJSON *valor = talvezValor(chave);
    if (!valor)
        return std::nullopt;
    const auto flag = valor->comoBooleano();
    if (!flag)
        tipoErrado(*this, chave, "flag", *valor);
    return flag;
}

double Leitor::exigirNumero(const QString &chave) const
{
    exigirPresente(chave);
    return *talvezNumero(chave);
}

std::optional<double> Leitor::talvezNumero(const QString &chave) const
{
    const ValorJSON *valor = talvezValor(chave);
    if (!valor)
        return std::nullopt;
    const auto numero = valor->comoNumero();
    if (!numero)
        tipoErrado(*this, chave, "número", *valor);
    return numero;
}

QDateTime Leitor::exigirData(const QString &chave) const
{
    exigirPresente(chave);
    return *talvezData(chave);
}

std::optional<QDateTime> Leitor::talvezData(const QString &chave) const
{
    const auto segundos = talvezNumero(chave);
    if (!segundos)
        return std::nullopt;
    auto data = CodificacaoJSON::dataDeSegundosDesde2001(*segundos);
    if (!data)
        falhar(chave, QStringLiteral("data fora do intervalo"));
    return data;
}

QByteArray Leitor::exigirBytes(const QString &chave) const
{
    exigirPresente(chave);
    return *talvezBytes(chave);
}

std::optional<QByteArray> Leitor::talvezBytes(const QString &chave) const
{
    const auto texto = talvezTexto(chave);
    if (!texto)
        return std::nullopt;
    auto resultado = QByteArray::fromBase64Encoding(texto->toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    // toLatin1 turns anything outside Latin-1 into "?", which the strict decoder refuses.
    if (!resultado)
        falhar(chave, QStringLiteral("base64 inválido"));
    return std::move(*resultado);
}

Leitor Leitor::exigirObjeto(const QString &chave) const
{
    return Leitor(exigirValor(chave), caminhoDe(chave));
}

std::optional<Leitor> Leitor::talvezObjeto(const QString &chave) const
{
    const ValorJSON *valor = talvezValor(chave);
    if (!valor)
        return std::nullopt;
    return Leitor(*valor, caminhoDe(chave));
}

QList<ValorJSON> Leitor::exigirListaDeValores(const QString &chave) const
{
    exigirPresente(chave);
    return *talvezListaDeValores(chave);
}

std::optional<QList<ValorJSON>> Leitor::talvezListaDeValores(const QString &chave) const
{
    const ValorJSON *valor = talvezValor(chave);
    if (!valor)
        return std::nullopt;
    const QList<ValorJSON> *lista = valor->comoLista();
    if (!lista)
        tipoErrado(*this, chave, "lista", *valor);
    return *lista;
}

QList<QString> Leitor::exigirListaDeTextos(const QString &chave) const
{
    exigirPresente(chave);
    return *talvezListaDeTextos(chave);
}

std::optional<QList<QString>> Leitor::talvezListaDeTextos(const QString &chave) const
{
    const auto valores = talvezListaDeValores(chave);
    if (!valores)
        return std::nullopt;
    QList<QString> textos;
    textos.reserve(valores->size());
    for (qsizetype i = 0; i < valores->size(); ++i) {
        auto texto = (*valores)[i].comoTexto();
        if (!texto)
            tipoErrado(*this, chave + QStringLiteral("[%1]").arg(i), "texto", (*valores)[i]);
        textos.append(std::move(*texto));
    }
    return textos;
}

// ---- Escritor ----

Escritor &Escritor::valor(const QString &chave, ValorJSON valor)
{
    objeto_.definir(chave, std::move(valor));
    return *this;
}

Escritor &Escritor::texto(const QString &chave, const QString &valor) { return this->valor(chave, ValorJSON::texto(valor)); }
Escritor &Escritor::flag(const QString &chave, bool valor) { return this->valor(chave, ValorJSON::booleano(valor)); }
Escritor &Escritor::numero(const QString &chave, double valor) { return this->valor(chave, ValorJSON::numero(valor)); }

Escritor &Escritor::inteiro(const QString &chave, qint64 valor)
{
    return this->valor(chave, ValorJSON::inteiro(valor));
}

Escritor &Escritor::data(const QString &chave, const QDateTime &valor)
{
    return numero(chave, CodificacaoJSON::segundosDesde2001(valor));
}

Escritor &Escritor::bytes(const QString &chave, const QByteArray &valor)
{
    return texto(chave, QString::fromLatin1(valor.toBase64()));
}

Escritor &Escritor::objeto(const QString &chave, ObjetoJSON valor)
{
    return this->valor(chave, ValorJSON::objeto(std::move(valor)));
}

Escritor &Escritor::listaDeTextos(const QString &chave, const QList<QString> &valores)
{
    return lista(chave, valores, [](const QString &texto) { return ValorJSON::texto(texto); });
}

Escritor &Escritor::talvezValor(const QString &chave, const std::optional<ValorJSON> &valor)
{
    return valor ? this->valor(chave, *valor) : *this;
}

Escritor &Escritor::talvezTexto(const QString &chave, const std::optional<QString> &valor)
{
    return valor ? texto(chave, *valor) : *this;
}

Escritor &Escritor::talvezFlag(const QString &chave, std::optional<bool> valor)
{
    return valor ? flag(chave, *valor) : *this;
}

Escritor &Escritor::talvezNumero(const QString &chave, std::optional<double> valor)
{
    return valor ? numero(chave, *valor) : *this;
}

Escritor &Escritor::talvezInteiro(const QString &chave, std::optional<qint64> valor)
{
    return valor ? inteiro(chave, *valor) : *this;
}

Escritor &Escritor::talvezData(const QString &chave, const std::optional<QDateTime> &valor)
{
    return valor ? data(chave, *valor) : *this;
}

Escritor &Escritor::talvezBytes(const QString &chave, const std::optional<QByteArray> &valor)
{
    return valor ? bytes(chave, *valor) : *this;
}

Escritor &Escritor::talvezListaDeTextos(const QString &chave, const std::optional<QList<QString>> &valores)
{
    return valores ? listaDeTextos(chave, *valores) : *this;
}
