#include "EditorDeSenha.h"

#include "core/GeradorDeSenha.h"

ModeloDoEditorDeSenha::ModeloDoEditorDeSenha(QObject *pai) : ModeloDoEditor(pai)
{
    dados_ = DadosDeSenha::novo({}, {}, {}, {}, {}, false).json;
}

bool ModeloDoEditorDeSenha::podeSalvar() const
{
    return !aparadoDeEspacos(titulo()).isEmpty() || !aparadoDeEspacos(site_).isEmpty();
}

void ModeloDoEditorDeSenha::definirSite(const QString &valor)
{
    if (site_ == valor)
        return;
    site_ = valor;
    emit siteMudou();
    emit dadosMudou(); // the save test reads the site
}

void ModeloDoEditorDeSenha::definirMostrar(bool valor)
{
    if (mostrar_ == valor)
        return;
    mostrar_ = valor;
    emit mostrarMudou();
}

QString ModeloDoEditorDeSenha::forca() const
{
    const QString atual = senha();
    if (atual.isEmpty())
        return {};
    return QStringLiteral("Força: ") + rotuloDoNivel(dicasDaSenha(atual).nivel);
}

void ModeloDoEditorDeSenha::gerarSenhaForte()
{
    if (!estado())
        return;
    definirSenha(gerarSenha(estado()->preferencias()->opcoesDoGerador()));
    definirMostrar(true);
}

void ModeloDoEditorDeSenha::carregado()
{
    const QList<QString> sites = dados_.sites();
    definirSite(sites.isEmpty() ? QString() : sites.first());
}

QList<QString> ModeloDoEditorDeSenha::sitesAoSalvar(const QList<QString> &atuais, const QString &siteDigitado)
{
    const QString digitado = siteDigitado.trimmed();
    if (atuais.isEmpty())
        return digitado.isEmpty() ? QList<QString>{} : QList<QString>{digitado};
    QList<QString> sites = atuais;
    sites.first() = digitado;
    sites.removeAll(QString());
    return sites;
}

QString ModeloDoEditorDeSenha::tituloDoSite(const QString &siteDigitado)
{
    const QString digitado = siteDigitado.trimmed();
    return normalizarSite(digitado).value_or(digitado);
}

void ModeloDoEditorDeSenha::prepararParaSalvar(ObjetoJSON &copia) const
{
    DadosDeSenha senha(copia);
    senha.definirSites(sitesAoSalvar(copia.sites(), site_));
    if (aparadoDeEspacos(senha.json.texto(QStringLiteral("titulo"))).isEmpty())
        senha.json.definir(QStringLiteral("titulo"), ValorJSON::texto(tituloDoSite(site_)));
    copia = std::move(senha.json);
}
