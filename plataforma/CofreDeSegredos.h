// A small store of secrets addressed by service, account and optional group (the stand-in for
// the system keychain), and the process-wide choice of which store the programs use.
//
// Choosing the store is an explicit setting, never a silent fallback: the Secret Service is the
// default; a machine without one is switched to the file-backed store by the program's command
// line option "--armazenamento-de-segredos=arquivo" or, failing that, by the text
// "armazenamento-de-segredos" = "arquivo" in the standard defaults store (see Padroes.h).
// An unknown value is refused and reported to the caller, which should stop rather than guess.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <optional>

// Address of one secret. `grupo` is set only when the secret is shared through an access group.
struct ConsultaDeSegredo {
    QString servico;
    QString conta;
    std::optional<QString> grupo;

    friend bool operator==(const ConsultaDeSegredo &, const ConsultaDeSegredo &) = default;
};

enum class SituacaoDoSegredo {
    presente,
    ausente,
    // The store could not be asked (no Secret Service, bus error, locked collection, unreadable
    // file): nothing is known about the secret, so callers must not act as if it were missing.
    indisponivel,
};

struct LeituraDeSegredo {
    SituacaoDoSegredo situacao = SituacaoDoSegredo::ausente;
    QByteArray bytes; // only when `presente`

    [[nodiscard]] static LeituraDeSegredo presente(QByteArray bytes)
    {
        return {SituacaoDoSegredo::presente, std::move(bytes)};
    }
    [[nodiscard]] static LeituraDeSegredo ausente() { return {SituacaoDoSegredo::ausente, {}}; }
    [[nodiscard]] static LeituraDeSegredo indisponivel() { return {SituacaoDoSegredo::indisponivel, {}}; }
};

class CofreDeSegredos {
public:
    // Status codes, numbered like the keychain's OSStatus values so that both platforms agree.
    static constexpr std::int32_t statusSucesso = 0;
    static constexpr std::int32_t statusEntradaOuSaida = -36;       // errSecIO: the file could not be written
    static constexpr std::int32_t statusIndisponivel = -25291;      // errSecNotAvailable: no store to talk to
    static constexpr std::int32_t statusInteracaoNegada = -25308;   // errSecInteractionNotAllowed: locked, unlock refused
    static constexpr std::int32_t statusDadosIlegiveis = -26275;    // errSecDecode: the store's own data is damaged

    virtual ~CofreDeSegredos() = default;

    [[nodiscard]] virtual LeituraDeSegredo ler(const ConsultaDeSegredo &consulta) = 0;
    // Replaces the secret in one step: on failure the previous value stays. Returns a status
    // code, `statusSucesso` when the new value is stored.
    [[nodiscard]] virtual std::int32_t gravar(const ConsultaDeSegredo &consulta,
                                              const QByteArray &bytes) = 0;
    // Removes the secret; a missing one is success. Returns a status code.
    virtual std::int32_t apagar(const ConsultaDeSegredo &consulta) = 0;

    // The store in use by this process; the Secret Service one unless `usar` installed another.
    [[nodiscard]] static std::shared_ptr<CofreDeSegredos> atual();
    // Installs a store for this process (tests install an in-memory one); nullptr restores the default.
    static void usar(std::shared_ptr<CofreDeSegredos> cofre);

    // The store named by a setting value: "secret-service" or "arquivo"; nullptr for any other text.
    [[nodiscard]] static std::shared_ptr<CofreDeSegredos> pelaConfiguracao(const QString &valor);
    // Applies the explicit setting: `opcaoDaLinhaDeComando` when given (the value of
    // "--armazenamento-de-segredos"), else the standard defaults key "armazenamento-de-segredos",
    // else the Secret Service. Returns false, installing nothing, when the value is unknown.
    [[nodiscard]] static bool configurar(const std::optional<QString> &opcaoDaLinhaDeComando);
    // The value of "--armazenamento-de-segredos=<valor>" or "--armazenamento-de-segredos <valor>" in argv.
    [[nodiscard]] static std::optional<QString> opcaoDosArgumentos(const QStringList &argumentos);

    // What every program does at start: `configurar` with the option found in `argumentos`.
    // Gives the message to print before stopping when the option or the defaults key holds an
    // unknown value (nothing is installed then).
    [[nodiscard]] static std::optional<QString> configurarPelosArgumentos(const QStringList &argumentos);
    // When the store in use is the Secret Service and none answers on the session bus: the
    // words telling the user what to install or which option to use. Nothing otherwise.
    [[nodiscard]] static std::optional<QString> avisoSemSecretService();
    [[nodiscard]] static QString textoSemSecretService();
};

inline constexpr const char *chaveDoArmazenamentoDeSegredos = "armazenamento-de-segredos";
inline constexpr const char *armazenamentoSecretService = "secret-service";
inline constexpr const char *armazenamentoEmArquivo = "arquivo";
