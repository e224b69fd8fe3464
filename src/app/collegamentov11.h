#pragma once

#include "documento/comandifile.h"
#include "legacy/ui/visorev11.h"

#include <QObject>
#include <QPointer>

class Interazione;
class QWidget;
class StatoFinestra;

// The traditional window's side of version 1.1 files: the read-only viewer it opens for them, which keeps
// its content from one read to the next and keeps the traditional window disabled while it is open, and the
// viewer's printed report.
class CollegamentoV11 : public QObject, public DestinazioneV11
{
    Q_OBJECT

public:
    CollegamentoV11(QWidget& finestra, StatoFinestra& stato);
    ~CollegamentoV11() override;

    ContenutoV11 contenutoV11() const override;
    void riceviV11(const RisultatoV11& risultato, const QString& percorso) override;

    // The viewer, once a version 1.1 file has been read; null after its close box closed it.
    VisoreV11* visore() const { return m_visore; }

private:
    void visoreChiuso();
    // "Stampa" of the viewer: the report of what it shows, titled with its caption.
    void stampa();
    Interazione& porta();

    QWidget& m_finestra;
    StatoFinestra& m_stato;
    QPointer<VisoreV11> m_visore;
};
