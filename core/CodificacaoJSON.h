// The record coder of every JSON that is not an item content (local copy, wire bodies, exchange
// files, keychain values, preferences): it reads and writes records the way the platform's default
// JSON encoder and decoder do, over the ordered JSON value. Writers keep declaration order.
//
//   Leitor l(CodificacaoJSON::lerDocumento(bytes));
//   Conta c{l.exigirTexto("id"), ..., l.talvezFlag("temSenha"), ...};
//   QByteArray saida = Escritor().texto("id", c.id).talvezFlag("temSenha", c.temSenha).documento();
#pragma once

#include "core/ValorJSON.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <cmath>
#include <concepts>
#include <exception>
#include <limits>
#include <optional>
#include <string>
#include <utility>

// A record could not be read: a required key is missing or null, a value has the wrong JSON type
// or range, or the bytes are not JSON. `caminho` names the key path ("conta.kdf.iteracoes",
// "vinculos[1].provedor"; empty for the document itself).
class ErroDeDecodificacao : public std::exception {
public:
    ErroDeDecodificacao(QString caminho, QString motivo);

    [[nodiscard]] const char *what() const noexcept override { return texto_.c_str(); }

    QString caminho;
    QString motivo;

private:
    std::string texto_;
};

namespace CodificacaoJSON {

// Parses a whole document; bytes that are not JSON throw ErroDeDecodificacao.
[[nodiscard]] ValorJSON lerDocumento(const QByteArray &bytes);
// The document's top-level value as an object; anything else throws ErroDeDecodificacao.
[[nodiscard]] ObjetoJSON lerObjeto(const QByteArray &bytes);
// The compact UTF-8 text of a value.
[[nodiscard]] QByteArray escreverDocumento(const ValorJSON &valor);

// Dates travel as seconds since 2001-01-01T00:00:00Z (a JSON number), kept to the millisecond.
[[nodiscard]] double segundosDesde2001(const QDateTime &data);
// Nothing when the number is not finite or out of QDateTime's range.
[[nodiscard]] std::optional<QDateTime> dataDeSegundosDesde2001(double segundos);

} // namespace CodificacaoJSON

// Reads the fields of one JSON object. `exigir…` throws ErroDeDecodificacao when the key is
// missing, null or of the wrong type; `talvez…` gives nothing for a missing or null key and throws
// for a wrong type. Keys the record does not declare are ignored.
class Leitor {
public:
    // Throws ErroDeDecodificacao when the value is not an object.
    explicit Leitor(const ValorJSON &valor, QString caminho = {});
    explicit Leitor(ObjetoJSON objeto, QString caminho = {});

    [[nodiscard]] const ObjetoJSON &objeto() const { return objeto_; }
    [[nodiscard]] const QString &caminho() const { return caminho_; }
    [[nodiscard]] bool contem(const QString &chave) const;

    [[nodiscard]] const ValorJSON &exigirValor(const QString &chave) const;
    // Also null for a key holding null.
    [[nodiscard]] const ValorJSON *talvezValor(const QString &chave) const;

    [[nodiscard]] QString exigirTexto(const QString &chave) const;
    [[nodiscard]] std::optional<QString> talvezTexto(const QString &chave) const;
    [[nodiscard]] bool exigirFlag(const QString &chave) const;
    [[nodiscard]] std::optional<bool> talvezFlag(const QString &chave) const;
    [[nodiscard]] double exigirNumero(const QString &chave) const;
    [[nodiscard]] std::optional<double> talvezNumero(const QString &chave) const;

    // Exact: integer digits are read as written, never through a double. A number with a
    // fractional part, non-finite or outside T's range throws.
    template <std::integral T = qint64>
    [[nodiscard]] T exigirInteiro(const QString &chave) const
    {
        exigirPresente(chave);
        return *talvezInteiro<T>(chave);
    }
    template <std::integral T = qint64>
    [[nodiscard]] std::optional<T> talvezInteiro(const QString &chave) const
    {
        if (!talvezNumero(chave))
            return std::nullopt;
        return paraInteiro<T>(*talvezValor(chave), chave);
    }

    // Seconds since 2001 as a number.
    [[nodiscard]] QDateTime exigirData(const QString &chave) const;
    [[nodiscard]] std::optional<QDateTime> talvezData(const QString &chave) const;
    // Standard base64 text.
    [[nodiscard]] QByteArray exigirBytes(const QString &chave) const;
    [[nodiscard]] std::optional<QByteArray> talvezBytes(const QString &chave) const;

    // A nested object, read with its own path.
    [[nodiscard]] Leitor exigirObjeto(const QString &chave) const;
    [[nodiscard]] std::optional<Leitor> talvezObjeto(const QString &chave) const;

    // A list of records: each element must be an object and is read by `funcao(const Leitor&)`.
    template <typename F>
    [[nodiscard]] auto exigirLista(const QString &chave, F funcao) const
    {
        return lerRegistros(exigirListaDeValores(chave), chave, funcao);
    }
    template <typename F>
    [[nodiscard]] auto talvezLista(const QString &chave, F funcao) const
    {
        using T = std::invoke_result_t<F, const Leitor &>;
        const auto valores = talvezListaDeValores(chave);
        if (!valores)
            return std::optional<QList<T>>{};
        return std::optional<QList<T>>{lerRegistros(*valores, chave, funcao)};
    }
    [[nodiscard]] QList<ValorJSON> exigirListaDeValores(const QString &chave) const;
    [[nodiscard]] std::optional<QList<ValorJSON>> talvezListaDeValores(const QString &chave) const;
    // Every element must be a text (a null element is refused, as the platform decoder does).
    [[nodiscard]] QList<QString> exigirListaDeTextos(const QString &chave) const;
    [[nodiscard]] std::optional<QList<QString>> talvezListaDeTextos(const QString &chave) const;

    // The path of a key below this object, for error messages.
    [[nodiscard]] QString caminhoDe(const QString &chave) const;
    [[noreturn]] void falhar(const QString &chave, const QString &motivo) const;

private:
    // Throws as exigirValor does; the typed readers then read the value as optional.
    void exigirPresente(const QString &chave) const;

    template <std::integral T>
    [[nodiscard]] T paraInteiro(const ValorJSON &numero, const QString &chave) const
    {
        const auto inteiro = numero.comoInteiroExato();
        if (!inteiro) {
            const double valor = *numero.comoNumero();
            falhar(chave, std::trunc(valor) == valor ? QStringLiteral("número fora do intervalo")
                                                     : QStringLiteral("não é um número inteiro"));
        }
        if (!std::in_range<T>(*inteiro))
            falhar(chave, QStringLiteral("número fora do intervalo"));
        return static_cast<T>(*inteiro);
    }

    template <typename F>
    [[nodiscard]] auto lerRegistros(const QList<ValorJSON> &valores, const QString &chave, F &funcao) const
    {
        using T = std::invoke_result_t<F, const Leitor &>;
        QList<T> registros;
        registros.reserve(valores.size());
        for (qsizetype i = 0; i < valores.size(); ++i)
            registros.append(funcao(Leitor(valores[i], caminhoDe(chave) + QStringLiteral("[%1]").arg(i))));
        return registros;
    }

    ObjetoJSON objeto_;
    QString caminho_;
};

// Builds one JSON object with keys in the order they are appended; `talvez…` appends nothing when
// the value is absent (never a null).
class Escritor {
public:
    Escritor &valor(const QString &chave, ValorJSON valor);
    Escritor &texto(const QString &chave, const QString &valor);
    Escritor &flag(const QString &chave, bool valor);
    Escritor &numero(const QString &chave, double valor);
    Escritor &inteiro(const QString &chave, qint64 valor);
    Escritor &data(const QString &chave, const QDateTime &valor);
    Escritor &bytes(const QString &chave, const QByteArray &valor);
    Escritor &objeto(const QString &chave, ObjetoJSON valor);
    Escritor &listaDeTextos(const QString &chave, const QList<QString> &valores);
    // A list of records, each turned into a value by `funcao(const T&)`.
    template <typename T, typename F>
    Escritor &lista(const QString &chave, const QList<T> &registros, F funcao)
    {
        QList<ValorJSON> valores;
        valores.reserve(registros.size());
        for (const T &registro : registros)
            valores.append(funcao(registro));
        return valor(chave, ValorJSON::lista(std::move(valores)));
    }

    Escritor &talvezValor(const QString &chave, const std::optional<ValorJSON> &valor);
    Escritor &talvezTexto(const QString &chave, const std::optional<QString> &valor);
    Escritor &talvezFlag(const QString &chave, std::optional<bool> valor);
    Escritor &talvezNumero(const QString &chave, std::optional<double> valor);
    Escritor &talvezInteiro(const QString &chave, std::optional<qint64> valor);
    Escritor &talvezData(const QString &chave, const std::optional<QDateTime> &valor);
    Escritor &talvezBytes(const QString &chave, const std::optional<QByteArray> &valor);
    Escritor &talvezListaDeTextos(const QString &chave, const std::optional<QList<QString>> &valores);
    template <typename T, typename F>
    Escritor &talvezLista(const QString &chave, const std::optional<QList<T>> &registros, F funcao)
    {
        if (registros)
            lista(chave, *registros, funcao);
        return *this;
    }

    [[nodiscard]] const ObjetoJSON &objetoPronto() const { return objeto_; }
    [[nodiscard]] ValorJSON valorPronto() const { return ValorJSON::objeto(objeto_); }
    // The compact UTF-8 text of the object.
    [[nodiscard]] QByteArray documento() const { return valorPronto().escritoEmUTF8(); }

private:
    ObjetoJSON objeto_;
};
