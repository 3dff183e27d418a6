// The AutoFill extension's one model: what the host asked for, the options read from the local
// vault copy (and the new passwords still waiting for the application), the filter that splits
// them into those of the requested site and the rest, and the hand-over of a chosen credential
// through the callbacks the controller installs. Main thread only.
#pragma once

#include "autofill/OpcaoDePreenchimento.h"
#include "core/Conta.h"
#include "core/CopiaDoCofre.h"

#include <QCoro/QCoroTask>
#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QVariant>
#include <QtQml/qqmlregistration.h>

#include <functional>
#include <optional>

class Relogio;

class ModeloDoPreenchimento : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The fill model belongs to the extension's controller.")
    // "carregando", "semConta", "aberto" or "configuracao" (QML enum values must be capitalised).
    Q_PROPERTY(QString faseNaTela READ faseNaTela NOTIFY faseMudou)
    Q_PROPERTY(bool modoDeCodigo READ modoDeCodigo NOTIFY modoMudou)
    Q_PROPERTY(bool modoDeConfiguracao READ modoDeConfiguracao NOTIFY modoMudou)
    Q_PROPERTY(QStringList dominios READ dominiosParaQml NOTIFY dominiosMudou)
    Q_PROPERTY(QString primeiroDominio READ primeiroDominio NOTIFY dominiosMudou)
    // The no-account notice's text, as this computer says it.
    Q_PROPERTY(QString textoSemConta READ textoSemConta CONSTANT)
    // The header's title for the request as it stands (it follows the phase and the mode, which
    // the request sets after the sheet is built), and while a new password is being made.
    Q_PROPERTY(QString tituloDoCabecalho READ tituloDoCabecalho NOTIFY tituloDoCabecalhoMudou)
    Q_PROPERTY(QString tituloAoCriar READ tituloAoCriar CONSTANT)

public:
    enum class Fase { carregando, semConta, aberto, configuracao };

    using AoEscolherSenha = std::function<void(const QString &usuario, const QString &senha)>;
    using AoEscolherCodigo = std::function<void(const QString &codigo)>;
    using Acao = std::function<void()>;
    // Asks the owner of the machine to confirm before a password is handed over.
    using VerificacaoDoDono = std::function<QCoro::Task<bool>(QString motivo)>;

    struct Filtradas {
        QList<OpcaoDePreenchimento> casam;  // of a requested site
        QList<OpcaoDePreenchimento> outras; // every other visible option
    };

    // The process's owner check (`autenticarDono`) and the system clock.
    explicit ModeloDoPreenchimento(QObject *pai = nullptr);

    [[nodiscard]] Fase fase() const { return fase_; }
    [[nodiscard]] const ModoDoPreenchimento &modo() const { return modo_; }
    [[nodiscard]] const QList<QString> &dominios() const { return dominios_; }
    [[nodiscard]] const QList<OpcaoDePreenchimento> &opcoes() const { return opcoes_; }
    [[nodiscard]] const std::optional<Conta> &conta() const { return conta_; }
    [[nodiscard]] const std::optional<CopiaDoCofre> &copia() const { return copia_; }

    void definirAoEscolherSenha(AoEscolherSenha callback) { aoEscolherSenha_ = std::move(callback); }
    void definirAoEscolherCodigo(AoEscolherCodigo callback) { aoEscolherCodigo_ = std::move(callback); }
    void definirAoCancelar(Acao callback) { aoCancelar_ = std::move(callback); }
    void definirAoConcluirConfiguracao(Acao callback) { aoConcluirConfiguracao_ = std::move(callback); }
    // Tests: another owner check and another clock (which must outlive the model).
    void definirVerificacaoDoDono(VerificacaoDoDono verificacao) { verificacaoDoDono_ = std::move(verificacao); }
    void definirRelogio(const Relogio &relogio) { relogio_ = &relogio; }

    // Takes the request: normalises the sites, and (except for the configuration request) reads
    // the vault copy and the vault key and builds the options. In mode `direto` a record found
    // is handed over at once.
    void preparar(const ModoDoPreenchimento &modo, const QList<IdentificadorDeServico> &servicos);
    // The options of the copy's items and of the pending new passwords, opened with `chave`.
    void carregarOpcoes(const QByteArray &chave);
    // The visible options that contain the trimmed `busca`, split by the requested sites.
    [[nodiscard]] Filtradas opcoesFiltradas(const QString &busca) const;
    // The same split as indices into `opcoes()`, without copying an option.
    struct IndicesFiltrados {
        QList<qsizetype> casam;
        QList<qsizetype> outras;
    };
    [[nodiscard]] IndicesFiltrados indicesFiltrados(const QString &busca) const;

    // Hands `opcao` over: a code at once (linking it to the requested site), a password after
    // the owner check. `codigo` forces the branch; without it the mode decides. When nothing can
    // be handed over in mode `direto`, the list opens instead.
    void escolher(const OpcaoDePreenchimento &opcao, std::optional<bool> codigo);
    // Appends a link of a code item to the first requested site, when it is not one of its sites.
    void vincularCodigo(const OpcaoDePreenchimento &opcao);
    // Seals a new password item, appends it to the new-passwords file and hands it over. False
    // (nothing handed over) without a usable vault key or when the file cannot be written.
    [[nodiscard]] bool salvarNovaSenha(const QString &titulo, const QString &usuario, const QString &senha);

    // ---- for the screens (ModeloNaTela.cpp) ----
    [[nodiscard]] QString faseNaTela() const;
    [[nodiscard]] bool modoDeCodigo() const { return modo_.pedeCodigo(); }
    [[nodiscard]] bool modoDeConfiguracao() const { return modo_.caso == ModoDoPreenchimento::Caso::configuracao; }
    [[nodiscard]] QStringList dominiosParaQml() const { return dominios_; }
    [[nodiscard]] QString primeiroDominio() const { return dominios_.value(0); }
    [[nodiscard]] static QString textoSemConta();
    // The header's title.
    [[nodiscard]] QString tituloDoCabecalho(bool criando) const;
    [[nodiscard]] QString tituloDoCabecalho() const { return tituloDoCabecalho(false); }
    [[nodiscard]] static QString tituloAoCriar() { return QStringLiteral("Nova senha"); }
    // A row's click: the option with that id, with no flag.
    Q_INVOKABLE void escolherPorId(const QString &id);
    Q_INVOKABLE void cancelar();
    Q_INVOKABLE void concluirConfiguracao();
    // The new-password form: a fresh generated password, the name's placeholder, and the save
    // with its trimming and fallback name.
    [[nodiscard]] Q_INVOKABLE static QString gerarSenhaForte();
    [[nodiscard]] Q_INVOKABLE QString dicaDoNome() const;
    [[nodiscard]] Q_INVOKABLE bool salvarEPreencher(const QString &titulo, const QString &usuario,
                                                    const QString &senha);

signals:
    void faseMudou();
    void modoMudou();
    void dominiosMudou();
    void opcoesMudaram();
    void tituloDoCabecalhoMudou();

private:
    void definirFase(Fase fase);
    void definirModo(const ModoDoPreenchimento &modo);
    void definirDominios(const QList<QString> &dominios);
    // Opens the list when a direct request could not be answered.
    void abrirListaNoDireto();
    static QCoro::Task<> autenticarDono(QPointer<ModeloDoPreenchimento> modelo, OpcaoDePreenchimento opcao);

    Fase fase_ = Fase::carregando;
    ModoDoPreenchimento modo_;
    QList<QString> dominios_;
    QList<OpcaoDePreenchimento> opcoes_;
    std::optional<Conta> conta_;
    AoEscolherSenha aoEscolherSenha_;
    AoEscolherCodigo aoEscolherCodigo_;
    Acao aoCancelar_;
    Acao aoConcluirConfiguracao_;
    std::optional<CopiaDoCofre> copia_;
    VerificacaoDoDono verificacaoDoDono_;
    const Relogio *relogio_;
};

// Whether an option of `dominiosDaOpcao` belongs to one of the `pedidos` sites: the same host, a
// request for a subdomain of the option's site, or an option for a subdomain of the requested
// site. Public suffixes never match.
[[nodiscard]] bool casaComAlgum(const QList<QString> &dominiosDaOpcao, const QList<QString> &pedidos);
