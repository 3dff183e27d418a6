// The in-memory state of the development server (accounts, e-mail codes, identity tokens,
// sessions and vaults) and the API's answers to requests, with no HTTP in it. Tests steer it
// through the public members below; `ServidorDeDesenvolvimento` puts it on a socket.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QUrlQuery>

#include <chrono>
#include <functional>
#include <optional>

namespace Servidor {

// A request as the state sees it.
struct Pedido {
    QString metodo;
    QString caminho; // without the query
    QUrlQuery consulta;
    QByteArray autorizacao; // the "Authorization" header as sent
    QByteArray corpo;
};

// One answer: status, body and content type.
struct Resposta {
    int status = 200;
    QByteArray corpo;
    QByteArray tipoDoConteudo = "application/json";
};

// Fields of an account that a test seeds directly, without the e-mail confirmation.
struct NovaConta {
    QString email;
    QString nome = QStringLiteral("Conta de Teste");
    QString sal;
    QJsonObject kdf; // empty: the parameters of new accounts
    QString prova;
    QString chaveDoCofreProtegida;
    QString chaveDoCofreRecuperacao;
    QString provaDeRecuperacao;
};

struct VinculoNoServidor {
    QString provedor;
    QString email;
};

// What the server keeps of one account. Proofs are kept only as salted SHA-256 hashes.
struct ContaNoServidor {
    QString id;
    QString email;
    QString nome;
    QString sal;
    QJsonObject kdf;
    QString chaveDoCofreProtegida;
    QString chaveDoCofreRecuperacao;
    QByteArray salDasProvas;
    QByteArray hashDaProva;
    QByteArray hashDaProvaDeRecuperacao;
    bool temSenha = true;
    bool autenticadorLigado = false;
    QByteArray segredoDoAutenticador;
    QString criadaEm;
    QList<VinculoNoServidor> vinculos;
    qint64 revisao = 0;               // grows with every write to the vault
    QMap<QString, QJsonObject> itens; // `ItemCifrado` objects by id, tombstones included
    QMap<qint64, QString> porRevisao; // each item's id under its current revision, for "desde"
};

class EstadoDoServidor {
public:
    EstadoDoServidor();

    // Answers one request; never throws.
    [[nodiscard]] Resposta atender(const Pedido &pedido);

    // --- Clock and lifetimes ---
    void definirRelogio(std::function<QDateTime()> relogio); // UTC; default: the system clock
    [[nodiscard]] QDateTime agora() const;
    void definirDuracaoDoAcesso(std::chrono::seconds duracao); // of new access tokens; default 15 min
    // Sessions signed in from now on end this long after sign-in: their access tokens stop
    // working then and their renewal is refused. None (the default): sessions do not end.
    void definirDuracaoDaSessao(std::optional<std::chrono::seconds> duracao);
    void expirarTokensDeAcesso();                             // every access token issued so far stops working
    void revogarSessoes(const QString &email);                // renewal then answers 403, requests 401
    [[nodiscard]] int sessoesAtivas(const QString &email) const;

    // --- Accounts ---
    [[nodiscard]] std::optional<QString> codigoDeEmail(const QString &email) const; // last code sent
    [[nodiscard]] QString cunharTokenDeIdentidade(const QString &provedor, const QString &email,
                                                  const QString &nonce = {});
    QString criarConta(const NovaConta &dados); // gives the account id
    [[nodiscard]] std::optional<ContaNoServidor> contaPorEmail(const QString &email) const;
    [[nodiscard]] bool conferirProvaDeRecuperacao(const QString &email, const QString &prova) const;
    [[nodiscard]] bool conferirProva(const QString &email, const QString &prova) const; // the login proof
    QByteArray ligarAutenticador(const QString &email); // gives the 20-byte secret
    [[nodiscard]] QString codigoDoAutenticador(const QString &email) const; // current code, server clock
    [[nodiscard]] QJsonObject abrirSessao(const QString &email); // a `RespostaDeSessao` for the account
    // The vault key the site's passkey page hands back for the account (the site keeps it
    // behind the passkey); accounts without one are not offered there.
    void registrarPasskey(const QString &email, const QByteArray &chaveDoCofre);
    [[nodiscard]] std::optional<QByteArray> chaveDaPasskey(const QString &email) const;
    [[nodiscard]] QStringList emailsComPasskey() const;

    // --- Vault, as another device would change it ---
    QJsonObject gravarItem(const QString &email, const QString &id, const QString &tipo, const QString &dados);
    QJsonObject apagarItem(const QString &email, const QString &id);

private:
    struct Sessao {
        QString contaId;
        QString tokenDeRenovacao;
        bool ativa = true;
        std::optional<QDateTime> terminaEm; // none: the session lasts until it is ended
    };
    struct Acesso {
        QString sessaoId;
        QDateTime expiraEm;
    };
    struct CodigoPendente {
        QString codigo;
        QDateTime validoAte;
        int tentativas = 0;
    };
    struct Identidade {
        QString provedor;
        QString email;
        QString nonce;
    };

    using Manipulador = Resposta (EstadoDoServidor::*)(const Pedido &);
    struct Rota {
        const char *metodo;
        const char *caminho;
        bool prefixo;
        Manipulador manipulador;
    };
    static const QList<Rota> &rotas();

    // Sign-up, sign-in and sessions.
    Resposta pedirCodigoDeEmail(const Pedido &pedido);
    Resposta conferirCodigoDeEmail(const Pedido &pedido);
    Resposta cadastrar(const Pedido &pedido);
    Resposta preEntrada(const Pedido &pedido);
    Resposta entrarSocial(const Pedido &pedido);
    Resposta entrar(const Pedido &pedido);
    Resposta renovar(const Pedido &pedido);
    Resposta sair(const Pedido &pedido);
    Resposta lerConta(const Pedido &pedido);
    // Vault (CofreDoServidor.cpp).
    Resposta lerCofre(const Pedido &pedido);
    Resposta guardarItem(const Pedido &pedido);
    Resposta removerItem(const Pedido &pedido);
    Resposta guardarLote(const Pedido &pedido);

    ContaNoServidor &contaAutenticada(const Pedido &pedido); // throws the 401 refusal
    ContaNoServidor *procurarPorEmail(const QString &email);
    const ContaNoServidor *procurarPorEmail(const QString &email) const;
    ContaNoServidor &exigirConta(const QString &email);
    ContaNoServidor *procurarPorIdentidade(const Identidade &identidade);
    ContaNoServidor &novaConta(const NovaConta &dados);
    [[nodiscard]] QByteArray hashDe(const ContaNoServidor &conta, const QString &prova) const;
    [[nodiscard]] QJsonObject contaEmJson(const ContaNoServidor &conta) const;
    QJsonObject novaSessao(const ContaNoServidor &conta);
    QJsonObject emitirAcesso(const QString &sessaoId); // a new access token as a `RespostaDeSessao`
    void encerrar(const QString &sessaoId);
    QJsonObject escreverItem(ContaNoServidor &conta, const QString &id, const QString &tipo, const QString &dados);
    QJsonObject escreverLapide(ContaNoServidor &conta, const QString &id);

    std::function<QDateTime()> relogio_;
    std::chrono::seconds duracaoDoAcesso_{15 * 60};
    std::optional<std::chrono::seconds> duracaoDaSessao_;
    QMap<QString, ContaNoServidor> contas_; // by id
    QHash<QString, CodigoPendente> codigosDeEmail_;   // by e-mail
    QHash<QString, QString> ultimosCodigos_;          // by e-mail, for tests
    QHash<QString, QString> comprovantes_;            // proof of e-mail -> e-mail
    QHash<QString, Identidade> tokensDeIdentidade_;   // minted by tests
    QHash<QString, Identidade> tokensSociais_;        // issued by the server
    QHash<QString, Sessao> sessoes_;                  // by session id
    QHash<QString, Acesso> acessos_;                  // by access token
    QHash<QString, QString> renovacoes_;              // current renewal token -> session id
    QHash<QString, QString> renovacoesGastas_;
    QMap<QString, QByteArray> passkeys_;              // vault keys by e-mail        // rotated or revoked renewal token -> session id
};

} // namespace Servidor
