// The one-time-code editor: the form's fields over the code content, the live preview's
// readings, the save with the secret cleaned and a test code computed, and the import of one or
// many codes from the screen, the clipboard, an image file, a drop or a pasted link.
#pragma once

#include "ModeloDoEditor.h"
#include "core/ImportacaoDeCodigo.h"

#include <QByteArray>
#include <QPointer>
#include <QStringList>
#include <QWindow>
#include <QDateTime>
#include <QList>
#include <QUrl>

#include <functional>
#include <optional>

// What a drop is read from: a local file, or else the image bytes it carries (both empty: nothing
// readable, such as a web address alone). Nothing at all when the drop holds neither.
struct OrigemDaSoltura {
    QString arquivo;
    QByteArray imagem;
};
[[nodiscard]] std::optional<OrigemDaSoltura> origemDaSoltura(const QList<QUrl> &enderecos, const QByteArray &imagem);

class ModeloDoEditorDeCodigo : public ModeloDoEditor {
    Q_OBJECT
    QML_NAMED_ELEMENT(ModeloDoEditorDeCodigo)
    Q_PROPERTY(QString emissor READ emissor WRITE definirEmissor NOTIFY dadosMudou)
    Q_PROPERTY(QString conta READ conta WRITE definirConta NOTIFY dadosMudou)
    // The "Site" field: view state over the first of the code's sites, joined into the item only
    // by a save, so clearing it never brings the second site into the field.
    Q_PROPERTY(QString site READ site WRITE definirSite NOTIFY siteMudou)
    Q_PROPERTY(QString segredo READ segredo WRITE definirSegredo NOTIFY dadosMudou)
    // "SHA1", "SHA256" or "SHA512" as the picker reads the stored text.
    Q_PROPERTY(QString algoritmo READ algoritmo WRITE definirAlgoritmo NOTIFY dadosMudou)
    // As stored; a value that no choice offers selects none.
    Q_PROPERTY(int digitos READ digitos WRITE definirDigitos NOTIFY dadosMudou)
    Q_PROPERTY(int periodo READ periodo WRITE definirPeriodo NOTIFY dadosMudou)
    // The preview's readings (the code itself comes from codigoDaPrevia at each tick).
    Q_PROPERTY(QString tituloDaPrevia READ tituloDaPrevia NOTIFY dadosMudou)
    Q_PROPERTY(QString icone READ icone NOTIFY dadosMudou)
    Q_PROPERTY(int periodoDaPrevia READ periodoDaPrevia NOTIFY dadosMudou)
    // The reading block.
    Q_PROPERTY(QString link READ link WRITE definirLink NOTIFY linkMudou)
    Q_PROPERTY(bool podeUsarLink READ podeUsarLink NOTIFY linkMudou)
    Q_PROPERTY(bool lendoATela READ lendoATela NOTIFY lendoATelaMudou)
    Q_PROPERTY(bool permissaoDaTelaNegada READ permissaoDaTelaNegada NOTIFY permissaoDaTelaNegadaMudou)
    Q_PROPERTY(bool temAjustes READ temAjustes CONSTANT)
    // An image chooser is open: the desktop's, or ours where the desktop offers none.
    Q_PROPERTY(bool escolhendoImagem READ escolhendoImagem NOTIFY escolhendoImagemMudou)
    // Our chooser: where it starts, what it lists, and its filter's name.
    Q_PROPERTY(QUrl pastaDeImagens READ pastaDeImagens CONSTANT)
    Q_PROPERTY(QStringList padroesDeImagem READ padroesDeImagem CONSTANT)
    Q_PROPERTY(QString filtroDeImagens READ filtroDeImagens CONSTANT)
    // The line under "Site", as this computer says it.
    Q_PROPERTY(QString explicacaoDoSite READ explicacaoDoSite CONSTANT)
    // The permission notice and its button, as this computer says them.
    Q_PROPERTY(QString avisoDePermissao READ avisoDePermissao CONSTANT)
    Q_PROPERTY(QString botaoDosAjustes READ botaoDosAjustes CONSTANT)

public:
    // How the screen is read; tests put their own reader here.
    using LeitorDeTela = std::function<QCoro::Task<QList<QString>>(EstadoDoApp *)>;

    explicit ModeloDoEditorDeCodigo(QObject *pai = nullptr);
    ~ModeloDoEditorDeCodigo() override;

    [[nodiscard]] bool podeSalvar() const override;

    [[nodiscard]] QString emissor() const { return dados_.texto(QStringLiteral("emissor")); }
    void definirEmissor(const QString &valor) { definirTexto(QStringLiteral("emissor"), valor); }
    [[nodiscard]] QString conta() const { return dados_.texto(QStringLiteral("conta")); }
    void definirConta(const QString &valor) { definirTexto(QStringLiteral("conta"), valor); }
    [[nodiscard]] QString site() const { return site_; }
    void definirSite(const QString &valor);
    // The sites a save stores: the field replaces the first of `atuais` (a blank field drops
    // it), kept untrimmed; the others stay as they are.
    [[nodiscard]] static QList<QString> sitesAoSalvar(const QList<QString> &atuais, const QString &siteDigitado);
    [[nodiscard]] QString segredo() const { return dados_.texto(QStringLiteral("segredo")); }
    void definirSegredo(const QString &valor) { definirTexto(QStringLiteral("segredo"), valor); }
    [[nodiscard]] QString algoritmo() const;
    void definirAlgoritmo(const QString &valor);
    [[nodiscard]] int digitos() const;
    void definirDigitos(int valor);
    [[nodiscard]] int periodo() const;
    void definirPeriodo(int valor);

    [[nodiscard]] QString tituloDaPrevia() const { return DadosDeCodigo(dados_).titulo(); }
    [[nodiscard]] QString icone() const { return dados_.texto(QStringLiteral("icone")); }
    [[nodiscard]] int periodoDaPrevia() const { return int(parametrosDaPrevia().periodo); }
    // The code the preview shows at `agora`, grouped for display; empty when none can be made.
    [[nodiscard]] Q_INVOKABLE QString codigoDaPrevia(const QDateTime &agora) const;
    // What the preview computes with: the secret cleaned when it can be, else as typed.
    [[nodiscard]] ParametrosTotp parametrosDaPrevia() const;

    [[nodiscard]] QString link() const { return link_; }
    void definirLink(const QString &valor);
    [[nodiscard]] bool podeUsarLink() const;
    [[nodiscard]] bool lendoATela() const { return lendoATela_; }
    [[nodiscard]] bool permissaoDaTelaNegada() const { return permissaoDaTelaNegada_; }
    [[nodiscard]] bool temAjustes() const;
    [[nodiscard]] bool escolhendoImagem() const { return escolhendoImagem_; }
    [[nodiscard]] static QUrl pastaDeImagens();
    [[nodiscard]] static QStringList padroesDeImagem();
    [[nodiscard]] static QString filtroDeImagens();
    [[nodiscard]] static QString explicacaoDoSite();
    [[nodiscard]] static QString avisoDePermissao();
    [[nodiscard]] static QString botaoDosAjustes();

    // The reading block's actions.
    Q_INVOKABLE void lerATela();
    Q_INVOKABLE void colar();
    Q_INVOKABLE void usarLink();
    Q_INVOKABLE void lerArquivoEscolhido(const QUrl &arquivo);
    // "De uma imagem": the desktop's file chooser when a portal offers one (modal to `janela`),
    // else pedeSeletorProprio. Ignored while a chooser is open.
    Q_INVOKABLE void escolherImagem(QWindow *janela);
    // Our chooser's folder line, the folder above it, and whether there is one.
    Q_INVOKABLE static QString caminhoDaPasta(const QUrl &pasta) { return pasta.toLocalFile(); }
    Q_INVOKABLE static QUrl pastaAcima(const QUrl &pasta);
    Q_INVOKABLE static bool temPastaAcima(const QUrl &pasta) { return !pastaAcima(pasta).isEmpty(); }
    // Our own chooser has closed, with or without a choice.
    Q_INVOKABLE void seletorProprioFechou();
    // A drop: its first address when that is a local file, else the dropped image's bytes (see
    // origemDaSoltura). False when the drop holds neither.
    Q_INVOKABLE bool receberSoltura(const QList<QUrl> &arquivos, const QByteArray &imagem);
    Q_INVOKABLE void abrirAjustes();
    // Texts read or pasted: one code fills the form, several are saved at once.
    Q_INVOKABLE void importarLeituras(const QList<QString> &textos);

    // Awaitable forms for the tests.
    QCoro::Task<> lerATelaAgora();
    QCoro::Task<> colarAgora();
    QCoro::Task<> escolherImagemAgora(QString janelaPai);
    QCoro::Task<> lerArquivoAgora(QString caminho);
    QCoro::Task<> lerSolturaAgora(QString caminho, QByteArray imagem);
    QCoro::Task<> salvarVariosAgora(QList<CodigoImportado> codigos);

    static void usarLeitorDeTela(LeitorDeTela leitor);

signals:
    void siteMudou();
    void linkMudou();
    void lendoATelaMudou();
    void permissaoDaTelaNegadaMudou();
    void escolhendoImagemMudou();
    // No desktop chooser answered: the view opens ours.
    void pedeSeletorProprio();
    // One imported code is about to replace the form, and has replaced it: what changes in
    // between moves on the fill's spring.
    void preenchendo();
    void preenchido();

protected:
    [[nodiscard]] TipoDeItem tipo() const override { return TipoDeItem::codigo; }
    [[nodiscard]] QString tituloNovo() const override { return QStringLiteral("Novo código"); }
    [[nodiscard]] QString tituloAoEditar() const override { return QStringLiteral("Editar código"); }
    [[nodiscard]] QString textoSalvo() const override { return QStringLiteral("Código salvo"); }
    [[nodiscard]] QString textoAdicionado() const override { return QStringLiteral("Código adicionado"); }
    [[nodiscard]] QString textoApagado() const override { return QStringLiteral("Código apagado"); }
    void prepararParaSalvar(ObjetoJSON &copia) const override;
    void carregado() override { mostrarPrimeiroSite(); }
    [[nodiscard]] QString mensagemDaFalha(const std::exception &erro) const override;

private:
    void preencher(const CodigoImportado &codigo);
    void mostrarPrimeiroSite();
    void definirLendoATela(bool valor);
    void definirPermissaoDaTelaNegada(bool valor);
    void definirEscolhendoImagem(bool valor);

    QString site_;
    QString link_;
    bool lendoATela_ = false;
    bool permissaoDaTelaNegada_ = false;
    bool escolhendoImagem_ = false;
    // The state told that the desktop's chooser holds the focus, while it is open: told again
    // when the editor goes first.
    QPointer<EstadoDoApp> focoComOSeletor_;
    // Codes of a batch that failed part-way and were saved all the same: a retry skips them.
    QList<CodigoImportado> jaSalvos_;
};

// The message of a secret that is not base32.
inline constexpr const char *mensagemDaChaveInvalida =
    "A chave secreta tem letras ou números que não valem. Use só A a Z e 2 a 7.";
