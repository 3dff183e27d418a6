// The line protocol between the AutoFill host and the extension. The host starts the extension
// for one request, writes one JSON request line on its standard input and reads one JSON answer
// line from its standard output; nothing secret travels through arguments, the environment or
// files. Shared by both programs.
#pragma once

#include "autofill/OpcaoDePreenchimento.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// The longest request line either side accepts, newline excluded.
inline constexpr qsizetype tamanhoMaximoDaLinha = 64 * 1024;

// The identity the host offered in its suggestions and now asks the credential of.
struct IdentidadePedida {
    IdentificadorDeServico servico;
    QString registro; // empty when the identity has none
    QString usuario;
    bool codigo = false; // "tipoDePedido": "codigo" rather than "senha"

    friend bool operator==(const IdentidadePedida &, const IdentidadePedida &) = default;
};

struct PedidoDoAnfitriao {
    enum class Tipo { listarSenhas, listarCodigos, fornecer, fornecerSemInteracao, configurar };

    Tipo tipo = Tipo::configurar;
    QList<IdentificadorDeServico> servicos; // the two list requests
    IdentidadePedida identidade;            // the two provide requests

    friend bool operator==(const PedidoDoAnfitriao &, const PedidoDoAnfitriao &) = default;

    // {"versao":1,"pedido":"listarSenhas"|"listarCodigos","servicos":[{"identificador":…,"tipo":"dominio"|"url"}]}
    // {"versao":1,"pedido":"fornecer"|"fornecerSemInteracao","identidade":{"servico":{…},"registro":…,
    //  "usuario":…,"tipoDePedido":"senha"|"codigo"}}    ("registro" and "usuario" may be absent)
    // {"versao":1,"pedido":"configurar"}
    // Nothing for anything else: another version, an unknown request or type, a missing or
    // mistyped field, more than one line, or a line longer than `tamanhoMaximoDaLinha`.
    [[nodiscard]] static std::optional<PedidoDoAnfitriao> ler(const QByteArray &linha);
    // The request's line, newline included.
    [[nodiscard]] QByteArray linha() const;
};

// The extension's answer. Cancelled answers carry the error of the extension domain: 1 when the
// user cancelled, 100 when the request needs the user (the silent request).
struct RespostaDaExtensao {
    enum class Tipo { senha, codigo, configuracaoConcluida, cancelado };

    static constexpr int usuarioCancelou = 1;
    static constexpr int interacaoNecessaria = 100;

    Tipo tipo = Tipo::cancelado;
    QString usuario; // senha
    QString senha;   // senha
    QString codigo;  // codigo
    int erro = usuarioCancelou; // cancelado

    friend bool operator==(const RespostaDaExtensao &, const RespostaDaExtensao &) = default;

    [[nodiscard]] static RespostaDaExtensao deSenha(QString usuario, QString senha);
    [[nodiscard]] static RespostaDaExtensao deCodigo(QString codigo);
    [[nodiscard]] static RespostaDaExtensao configuracaoConcluida();
    [[nodiscard]] static RespostaDaExtensao cancelada(int erro);

    // {"resposta":"senha","usuario":…,"senha":…} · {"resposta":"codigo","codigo":…} ·
    // {"resposta":"configuracaoConcluida"} ·
    // {"resposta":"cancelado","erro":{"dominio":"ASExtensionErrorDomain","codigo":1|100}}
    [[nodiscard]] static std::optional<RespostaDaExtensao> ler(const QByteArray &linha);
    [[nodiscard]] QByteArray linha() const;
};
