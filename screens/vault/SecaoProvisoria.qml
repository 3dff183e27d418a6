// Stand-in for the password and note lists until their own views land: the section's symbol and
// title over a short line.
import QtQuick
import Corvane.Cofre

VazioNoMac {
    property string secao

    simbolo: RegrasDoCofre.simbolo(secao)
    titulo: RegrasDoCofre.titulo(secao)
    texto: RegrasDoCofre.subtitulo(secao, 0)
}
