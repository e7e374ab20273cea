<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>TfrmAusgabeOptionen</name>
    <message>
        <source>Output Options</source>
        <translation>Ausgabeoptionen</translation>
    </message>
    <message>
        <source>Destination</source>
        <translation>Ziel</translation>
    </message>
    <message>
        <source>&amp;Printer</source>
        <translation>&amp;Drucker</translation>
    </message>
    <message>
        <source>Pre&amp;view</source>
        <translation>&amp;Vorschau</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>Da&amp;tei</translation>
    </message>
    <message>
        <source>Page range</source>
        <translation>Seitenbereich</translation>
    </message>
    <message>
        <source>&amp;All</source>
        <translation>A&amp;lle</translation>
    </message>
    <message>
        <source>Pa&amp;ges</source>
        <translation>&amp;Seiten</translation>
    </message>
    <message>
        <source>from</source>
        <translation>von</translation>
    </message>
    <message>
        <source>to</source>
        <translation>bis</translation>
    </message>
    <message>
        <source>from page</source>
        <translation>von Seite</translation>
    </message>
    <message>
        <source>to page</source>
        <translation>bis Seite</translation>
    </message>
    <message>
        <source>&amp;Copies</source>
        <translation>&amp;Kopien</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
</context>
<context>
    <name>TfrmBerichtStatus</name>
    <message>
        <source>Report Status</source>
        <translation>Berichtsstatus</translation>
    </message>
</context>
<context>
    <name>TfrmBerichtVorschau</name>
    <message>
        <source>Report Preview</source>
        <translation>Berichtsvorschau</translation>
    </message>
    <message>
        <source>First page</source>
        <translation>Erste Seite</translation>
    </message>
    <message>
        <source>Previous page</source>
        <translation>Vorige Seite</translation>
    </message>
    <message>
        <source>Next page</source>
        <translation>Nächste Seite</translation>
    </message>
    <message>
        <source>Last page</source>
        <translation>Letzte Seite</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Drucken...</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Seite %1 von %2</translation>
    </message>
</context>
<context>
    <name>Bericht</name>
    <message>
        <source>Save Report</source>
        <translation>Bericht speichern</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>PDF-Dateien (*.pdf)</translation>
    </message>
    <message>
        <source>Generating page %1</source>
        <translation>Seite %1 wird erzeugt</translation>
    </message>
    <message>
        <source>Printing page %1</source>
        <translation>Seite %1 wird gedruckt</translation>
    </message>
    <message>
        <source>The report has %1 page(s); there is nothing to print from page %2.</source>
        <translation>Der Bericht hat %1 Seite(n); ab Seite %2 gibt es nichts zu drucken.</translation>
    </message>
    <message>
        <source>The report could not be printed on %1.</source>
        <translation>Der Bericht konnte nicht auf %1 gedruckt werden.</translation>
    </message>
    <message>
        <source>The file %1 could not be written.</source>
        <translation>Die Datei %1 konnte nicht geschrieben werden.</translation>
    </message>
</context>
</TS>
