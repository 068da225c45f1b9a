#pragma once

class ProhlizecTab;
class QWidget;
class Session;

namespace MapExport {
// "Mapa": asks for the colouring rule, builds the document of the enterprises
// the tree shows and shows it in the browser tab. Nothing happens when the
// tree shows no enterprise; a failed read is reported. True when the map
// was shown.
bool run(QWidget *parent, Session *session, ProhlizecTab *browser);
}
