<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="cs_CZ">
<context>
    <name>AdminPages</name>
    <message>
        <source>Vzdálený přístup</source>
        <translation>Remote access</translation>
    </message>
    <message>
        <source>Přístupy</source>
        <translation>Portal access</translation>
    </message>
</context>
<context>
    <name>CalendarButton</name>
    <message>
        <source>Export do kalendáře</source>
        <translation>Export to calendar</translation>
    </message>
    <message>
        <source>Seznam neobsahuje žádnou událost s datem.</source>
        <translation>The list holds no event with a date.</translation>
    </message>
    <message>
        <source>Kalendář iCalendar (*.ics)</source>
        <translation>iCalendar calendar (*.ics)</translation>
    </message>
    <message>
        <source>soubor %1 nelze uložit.</source>
        <translation>the file %1 cannot be saved.</translation>
    </message>
</context>
<context>
    <name>CalendarExport</name>
    <message>
        <source>Časové pásmo %1 není v systému k dispozici.</source>
        <translation>The time zone %1 is not available on the system.</translation>
    </message>
</context>
<context>
    <name>ChangeHistory</name>
    <message>
        <source>Založení</source>
        <translation>Creation</translation>
    </message>
    <message>
        <source>Smazání</source>
        <translation>Deletion</translation>
    </message>
    <message>
        <source>Středisko přidáno</source>
        <translation>Centre added</translation>
    </message>
    <message>
        <source>Středisko smazáno</source>
        <translation>Centre deleted</translation>
    </message>
</context>
<context>
    <name>CheckListDialog</name>
    <message>
        <source>Vyber vše</source>
        <translation>Select all</translation>
    </message>
    <message>
        <source>Zruš výběr</source>
        <translation>Clear selection</translation>
    </message>
</context>
<context>
    <name>ClashDialog</name>
    <message>
        <source>ZRN</source>
        <translation>ZRN</translation>
    </message>
    <message>
        <source>Tato pole mezitím uložil(a) jiný uživatel. U každého zvolte, která hodnota se uloží; vaše ostatní změny se uloží s nimi.</source>
        <translation>Another user has saved these fields in the meantime. Choose for each which value is saved; your other changes are saved with them.</translation>
    </message>
    <message>
        <source>Pole</source>
        <translation>Field</translation>
    </message>
    <message>
        <source>uložil(a) jiný uživatel</source>
        <translation>saved by another user</translation>
    </message>
    <message>
        <source>Vaše hodnota</source>
        <translation>Your value</translation>
    </message>
    <message>
        <source>Uložit</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Zpět k úpravám</source>
        <translation>Back to editing</translation>
    </message>
    <message>
        <source>Záznam mezitím smazal jiný uživatel. Nic nebylo uloženo.</source>
        <translation>Another user has deleted the record in the meantime. Nothing was saved.</translation>
    </message>
</context>
<context>
    <name>ControlPanelTab</name>
    <message>
        <source>Přidat</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Opravit</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Smazat</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Uživatel</source>
        <translation>User</translation>
    </message>
    <message>
        <source>Heslo</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>Poznámka</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>Přidání uživatele pro CP</source>
        <translation>Add CP user</translation>
    </message>
    <message>
        <source>Vyberte v seznamu uživatele pro CP, kterého chcete opravit.</source>
        <translation>Choose the CP user you want to edit in the list.</translation>
    </message>
    <message>
        <source>Vybraný uživatel pro CP už neexistuje.</source>
        <translation>The chosen CP user no longer exists.</translation>
    </message>
    <message>
        <source>Oprava uživatele pro CP</source>
        <translation>Edit CP user</translation>
    </message>
    <message>
        <source>Vyberte v seznamu uživatele pro CP, kterého chcete smazat.</source>
        <translation>Choose the CP user you want to delete in the list.</translation>
    </message>
    <message>
        <source>Přejete si smazat vybraného uživatele pro CP?</source>
        <translation>Do you want to delete the chosen CP user?</translation>
    </message>
</context>
<context>
    <name>CsvExport</name>
    <message>
        <source>podnik</source>
        <translation>enterprise</translation>
    </message>
    <message>
        <source>podniky</source>
        <translation>enterprises</translation>
    </message>
    <message>
        <source>podniků</source>
        <translation>enterprises</translation>
    </message>
    <message>
        <source>Není zadán název souboru.</source>
        <translation>No file name given.</translation>
    </message>
    <message>
        <source>„%1“ je složka, ne soubor.</source>
        <translation>“%1” is a folder, not a file.</translation>
    </message>
    <message>
        <source>Složka „%1“ neexistuje.</source>
        <translation>The folder “%1” does not exist.</translation>
    </message>
    <message>
        <source>Do složky „%1“ nemáte právo zapisovat.</source>
        <translation>You may not write to the folder “%1”.</translation>
    </message>
    <message>
        <source>Soubor je jen pro čtení.</source>
        <translation>The file is read-only.</translation>
    </message>
    <message>
        <source>Soubor nelze vytvořit (%1).</source>
        <translation>The file cannot be created (%1).</translation>
    </message>
    <message>
        <source>Zápis se nezdařil, možná je plný disk (%1).</source>
        <translation>The write failed; the disk may be full (%1).</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>Export byl zrušen, soubor nebyl zapsán.</source>
        <translation>The export was cancelled; no file was written.</translation>
    </message>
    <message>
        <source>Export podniků ...</source>
        <translation>Exporting enterprises ...</translation>
    </message>
</context>
<context>
    <name>Database</name>
    <message>
        <source>Databázi %1 nelze otevřít: %2</source>
        <translation>The database %1 cannot be opened: %2</translation>
    </message>
    <message>
        <source>Spojení s databází se přerušilo uprostřed transakce.</source>
        <translation>The connection to the database was lost in the middle of a transaction.</translation>
    </message>
    <message>
        <source>Transakce byla přerušena ztrátou spojení.</source>
        <translation>The transaction was interrupted by a lost connection.</translation>
    </message>
    <message>
        <source>Zápis byl odvolán.</source>
        <translation>The write was withdrawn.</translation>
    </message>
    <message>
        <source>Zápis se střetl se současnou prací jiného uživatele a byl celý vrácen; nic z něj nebylo uloženo. Zkuste to prosím znovu.</source>
        <translation>The write clashed with another user&apos;s work at the same time and was rolled back whole; nothing of it was saved. Please try again.</translation>
    </message>
    <message>
        <source>soubor neexistuje.</source>
        <translation>the file does not exist.</translation>
    </message>
    <message>
        <source>složku %1 nelze vytvořit.</source>
        <translation>the folder %1 cannot be created.</translation>
    </message>
    <message>
        <source>cesta není soubor.</source>
        <translation>the path is not a file.</translation>
    </message>
    <message>
        <source>soubor je jen pro čtení.</source>
        <translation>the file is read-only.</translation>
    </message>
    <message>
        <source>Ovladač databáze MySQL (QMYSQL) není nainstalován.</source>
        <translation>The MySQL database driver (QMYSQL) is not installed.</translation>
    </message>
    <message>
        <source>Nelze se připojit k databázovému serveru %1: %2</source>
        <translation>Cannot connect to the database server %1: %2</translation>
    </message>
    <message>
        <source>Databázový server %1 nepřijal znakovou sadu utf8mb4: %2</source>
        <translation>The database server %1 did not accept the utf8mb4 character set: %2</translation>
    </message>
    <message>
        <source>Transakce už probíhá; vnořená transakce není dovolena.</source>
        <translation>A transaction is already running; a nested transaction is not allowed.</translation>
    </message>
    <message>
        <source>Databáze není připojena.</source>
        <translation>The database is not connected.</translation>
    </message>
    <message>
        <source>Příkaz v transakci selhal, nic z ní nebylo uloženo: %1</source>
        <translation>A statement in the transaction failed; nothing of it was saved: %1</translation>
    </message>
    <message>
        <source>Spojení není databází SQLite.</source>
        <translation>The connection is not an SQLite database.</translation>
    </message>
    <message>
        <source>Spojení SQLite není otevřené.</source>
        <translation>The SQLite connection is not open.</translation>
    </message>
    <message>
        <source>Funkci %1 nelze zaregistrovat: %2</source>
        <translation>The function %1 cannot be registered: %2</translation>
    </message>
</context>
<context>
    <name>DbConfig</name>
    <message>
        <source>Neplatné nastavení %1=%2 v souboru %3: povolené hodnoty jsou sqlite, mysql a mariadb (prázdná hodnota znamená sqlite).</source>
        <translation>Invalid setting %1=%2 in the file %3: the allowed values are sqlite, mysql and mariadb (an empty value means sqlite).</translation>
    </message>
</context>
<context>
    <name>DialogAUCP</name>
    <message>
        <source>Uživatel pro CP</source>
        <translation>CP user</translation>
    </message>
    <message>
        <source>Uživatel</source>
        <translation>User</translation>
    </message>
    <message>
        <source>Heslo</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>BCrypt -&gt;</source>
        <translation>BCrypt -&gt;</translation>
    </message>
    <message>
        <source>Poznámka</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>IDList</source>
        <translation>IDList</translation>
    </message>
    <message>
        <source>Zadejte heslo, které se má zašifrovat.</source>
        <translation>Type the password to encrypt.</translation>
    </message>
    <message>
        <source>Pole zašifrovaného hesla neobsahuje platný SHA-1 hash (40 malých šestnáctkových číslic). Zadejte heslo a stiskněte &quot;BCrypt -&gt;&quot;, nebo pole vyprázdněte.</source>
        <translation>The encrypted password field holds no valid SHA-1 hash (40 lower-case hexadecimal digits). Type the password and press &quot;BCrypt -&gt;&quot;, or empty the field.</translation>
    </message>
</context>
<context>
    <name>DialogAUOOUzivatel</name>
    <message>
        <source>Výběr uživatele</source>
        <translation>Choose user</translation>
    </message>
    <message>
        <source>Vyber vše</source>
        <translation>Select all</translation>
    </message>
    <message>
        <source>Zruš výběr</source>
        <translation>Clear selection</translation>
    </message>
    <message>
        <source>Pracovníci</source>
        <translation>Staff</translation>
    </message>
    <message>
        <source>Záložky opravněných osob</source>
        <translation>Bookmarked authorised persons</translation>
    </message>
    <message>
        <source>Další odpovědné osoby - emaily, čárkou oddělené</source>
        <translation>Further responsible persons - e-mails, separated by commas</translation>
    </message>
</context>
<context>
    <name>DialogAUPodnik</name>
    <message>
        <source>Podnik</source>
        <translation>Enterprise</translation>
    </message>
    <message>
        <source>Holding</source>
        <translation>Holding</translation>
    </message>
</context>
<context>
    <name>DialogAUUdalost</name>
    <message>
        <source>Přidání události</source>
        <translation>Add event</translation>
    </message>
    <message>
        <source>Vytvořeno</source>
        <translation>Created</translation>
    </message>
    <message>
        <source>Předmět</source>
        <translation>Subject</translation>
    </message>
    <message>
        <source>Podnik</source>
        <translation>Enterprise</translation>
    </message>
    <message>
        <source>Středisko</source>
        <translation>Centre</translation>
    </message>
    <message>
        <source>Lokalita</source>
        <translation>Location</translation>
    </message>
    <message>
        <source>Zdroj</source>
        <translation>Source</translation>
    </message>
    <message>
        <source>Nespecifikováno</source>
        <translation>Unspecified</translation>
    </message>
    <message>
        <source>Tellmark</source>
        <translation>Tellmark</translation>
    </message>
    <message>
        <source>ZRN</source>
        <translation>ZRN</translation>
    </message>
    <message>
        <source>Mail</source>
        <translation>Mail</translation>
    </message>
    <message>
        <source>Nextcloud</source>
        <translation>Nextcloud</translation>
    </message>
    <message>
        <source>Kategorie</source>
        <translation>Category</translation>
    </message>
    <message>
        <source>Stav</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Nahlášeno</source>
        <translation>Reported</translation>
    </message>
    <message>
        <source>Rozpracováno</source>
        <translation>In progress</translation>
    </message>
    <message>
        <source>Uzavřeno</source>
        <translation>Closed</translation>
    </message>
    <message>
        <source>Nedokončené od</source>
        <translation>Unfinished from</translation>
    </message>
    <message>
        <source>Synchronizace</source>
        <translation>Synchronisation</translation>
    </message>
    <message>
        <source>Žádná</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Kalendář</source>
        <translation>Calendar</translation>
    </message>
    <message>
        <source>Začátek</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Konec</source>
        <translation>End</translation>
    </message>
    <message>
        <source>Cesta</source>
        <translation>Path</translation>
    </message>
    <message>
        <source>Číslo projektu</source>
        <translation>Project number</translation>
    </message>
    <message>
        <source>Odpovědná osoba</source>
        <translation>Responsible person</translation>
    </message>
    <message>
        <source>Upozornění</source>
        <translation>Reminder</translation>
    </message>
    <message>
        <source>Výběr uživatele</source>
        <translation>Choose user</translation>
    </message>
    <message>
        <source>Předmět události nemůže být prázdný.</source>
        <translation>The subject of the event cannot be empty.</translation>
    </message>
    <message>
        <source>Přejete si zahodit rozpracovanou událost?</source>
        <translation>Do you want to discard the event you are editing?</translation>
    </message>
</context>
<context>
    <name>DialogAUUzivatel</name>
    <message>
        <source>Uživatel</source>
        <translation>User</translation>
    </message>
    <message>
        <source>Heslo</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>BCrypt -&gt;</source>
        <translation>BCrypt -&gt;</translation>
    </message>
    <message>
        <source>Vzdálený přístup</source>
        <translation>Remote access</translation>
    </message>
    <message>
        <source>Ne</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Ano, omezeny opravy</source>
        <translation>Yes, limited edits</translation>
    </message>
    <message>
        <source>Ano</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Admin</source>
        <translation>Admin</translation>
    </message>
    <message>
        <source>Minimal</source>
        <translation>Minimal</translation>
    </message>
    <message>
        <source>ACLS</source>
        <translation>ACLS</translation>
    </message>
    <message>
        <source>Spravovat organizační strukturu</source>
        <translation>Manage the organisation structure</translation>
    </message>
    <message>
        <source>Žádná</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Střediska</source>
        <translation>Centres</translation>
    </message>
    <message>
        <source>Podniky a střediska</source>
        <translation>Enterprises and centres</translation>
    </message>
    <message>
        <source>Omezit region</source>
        <translation>Restrict region</translation>
    </message>
    <message>
        <source>Sestavy</source>
        <translation>Reports</translation>
    </message>
    <message>
        <source>Přístupy</source>
        <translation>Portal access</translation>
    </message>
    <message>
        <source>Události</source>
        <translation>Events</translation>
    </message>
    <message>
        <source>Žádné</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Na podniku/středisku, moje</source>
        <translation>At the enterprise/centre, mine</translation>
    </message>
    <message>
        <source>Všechny</source>
        <translation>All</translation>
    </message>
    <message>
        <source>Fakturace</source>
        <translation>Invoicing</translation>
    </message>
    <message>
        <source>Pouze čtení</source>
        <translation>Read only</translation>
    </message>
    <message>
        <source>Zápis</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>Zápis, sestavy</source>
        <translation>Write, reports</translation>
    </message>
    <message>
        <source>Control Panel</source>
        <translation>Control Panel</translation>
    </message>
    <message>
        <source>Středisko, technologické údáje RO</source>
        <translation>Centre, technology data read-only</translation>
    </message>
    <message>
        <source>Přidat</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Smazat</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Zadejte heslo, které se má zašifrovat.</source>
        <translation>Type the password to encrypt.</translation>
    </message>
    <message>
        <source>Heslo obsahuje znaky mimo Latin-1 (např. ř, č, ě). Zašifruje se v UTF-8: ZRN i webové aplikace ho přijmou, starší programy nemusí.</source>
        <translation>The password holds characters outside Latin-1 (such as ř, č, ě). It is encrypted in UTF-8: ZRN and the web applications accept it, older programs may not.</translation>
    </message>
    <message>
        <source>Heslo je delší než 72 bajtů; bcrypt z něj použije jen prvních 72.</source>
        <translation>The password is longer than 72 bytes; bcrypt uses only the first 72 of them.</translation>
    </message>
    <message>
        <source>Přejete si heslo přesto použít?</source>
        <translation>Do you want to use the password anyway?</translation>
    </message>
    <message>
        <source>Heslo nelze zašifrovat (bcrypt: sůl se nepodařilo vytvořit).</source>
        <translation>The password cannot be encrypted (bcrypt: no salt could be made).</translation>
    </message>
    <message>
        <source>Pole zašifrovaného hesla neobsahuje platný bcrypt hash ($2y$, cena, 53 znaků). Zadejte heslo a stiskněte &quot;BCrypt -&gt;&quot;, nebo pole vyprázdněte.</source>
        <translation>The encrypted password field holds no valid bcrypt hash ($2y$, cost, 53 characters). Type the password and press &quot;BCrypt -&gt;&quot;, or empty the field.</translation>
    </message>
    <message>
        <source>Přihlašovací jméno nesmí být prázdné.</source>
        <translation>The login name must not be empty.</translation>
    </message>
    <message>
        <source>(nevyplněno)</source>
        <translation>(empty)</translation>
    </message>
    <message>
        <source>%1 (uložená hodnota)</source>
        <translation>%1 (stored value)</translation>
    </message>
</context>
<context>
    <name>DialogCSVForm</name>
    <message>
        <source>Nastavení CSV exportu</source>
        <translation>CSV export settings</translation>
    </message>
    <message>
        <source>Název souboru</source>
        <translation>File name</translation>
    </message>
    <message>
        <source>Oddělovač</source>
        <translation>Separator</translation>
    </message>
    <message>
        <source>;</source>
        <translation>;</translation>
    </message>
    <message>
        <source>,</source>
        <translation>,</translation>
    </message>
    <message>
        <source>:</source>
        <translation>:</translation>
    </message>
    <message>
        <source>#</source>
        <translation>#</translation>
    </message>
    <message>
        <source>Formát datumu</source>
        <translation>Date format</translation>
    </message>
    <message>
        <source>dd.MM.yyyy</source>
        <translation>dd.MM.yyyy</translation>
    </message>
    <message>
        <source>dd.MM.yy</source>
        <translation>dd.MM.yy</translation>
    </message>
    <message>
        <source>yyyy-MM-dd</source>
        <translation>yyyy-MM-dd</translation>
    </message>
    <message>
        <source>Kódování</source>
        <translation>Encoding</translation>
    </message>
    <message>
        <source>UTF-8</source>
        <translation>UTF-8</translation>
    </message>
    <message>
        <source>Windows-1250</source>
        <translation>Windows-1250</translation>
    </message>
    <message>
        <source>Hlavička</source>
        <translation>Header</translation>
    </message>
    <message>
        <source>Ano</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Ne</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Uložení souboru</source>
        <translation>Save file</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>Podniky pro export nelze načíst:
%1</source>
        <translation>The enterprises for the export cannot be read:
%1</translation>
    </message>
    <message>
        <source>… a dalších %1</source>
        <translation>… and %1 more</translation>
    </message>
    <message>
        <source>Tyto hodnoty nelze zapsat v kódování Windows-1250 (v souboru by z nich byly otazníky):

%1

Uložit soubor v kódování UTF-8?</source>
        <translation>These values cannot be written in the Windows-1250 encoding (they would become question marks in the file):

%1

Save the file in UTF-8?</translation>
    </message>
    <message>
        <source>Otázka</source>
        <translation>Question</translation>
    </message>
    <message>
        <source>Soubor „%1“ nelze zapsat:
%2</source>
        <translation>The file “%1” cannot be written:
%2</translation>
    </message>
    <message>
        <source>Export je hotový: soubor „%1“ obsahuje %2.</source>
        <translation>The export is done: the file “%1” holds %2.</translation>
    </message>
    <message>
        <source>Strom nezobrazuje žádný podnik, není co exportovat.</source>
        <translation>The tree shows no enterprise; there is nothing to export.</translation>
    </message>
</context>
<context>
    <name>DialogFiltr</name>
    <message>
        <source>Filtr</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>Seznam, který nelze načíst, ponechává uloženou volbu.</source>
        <translation>A list that cannot be read keeps the stored choice.</translation>
    </message>
    <message>
        <source>Podnik</source>
        <translation>Enterprise</translation>
    </message>
    <message>
        <source>Holding</source>
        <translation>Holding</translation>
    </message>
    <message>
        <source>Podniky</source>
        <translation>Enterprises</translation>
    </message>
    <message>
        <source>IČO</source>
        <translation>Company ID</translation>
    </message>
    <message>
        <source>Země</source>
        <translation>Country</translation>
    </message>
    <message>
        <source>Region</source>
        <translation>Region</translation>
    </message>
    <message>
        <source>Chovatelský SW</source>
        <translation>Breeding SW</translation>
    </message>
    <message>
        <source>Odpovědná osoba</source>
        <translation>Responsible person</translation>
    </message>
    <message>
        <source>Dojnice od</source>
        <translation>Dairy cows from</translation>
    </message>
    <message>
        <source>Poznámka</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>Obchod</source>
        <translation>Sales</translation>
    </message>
    <message>
        <source>Stav SW</source>
        <translation>SW status</translation>
    </message>
    <message>
        <source>Stav TECH</source>
        <translation>TECH status</translation>
    </message>
    <message>
        <source>Středisko</source>
        <translation>Centre</translation>
    </message>
    <message>
        <source>Licenční číslo &gt; 0</source>
        <translation>Licence number &gt; 0</translation>
    </message>
    <message>
        <source>Specifikace</source>
        <translation>Technology</translation>
    </message>
    <message>
        <source>Technologický SW</source>
        <translation>Technology SW</translation>
    </message>
    <message>
        <source>Dojírna</source>
        <translation>Milking parlour</translation>
    </message>
    <message>
        <source>Aktivita</source>
        <translation>Activity</translation>
    </message>
    <message>
        <source>Reprodukce</source>
        <translation>Reproduction</translation>
    </message>
    <message>
        <source>Negace</source>
        <translation>Negation</translation>
    </message>
    <message>
        <source>Neurčeno</source>
        <translation>Neurčeno</translation>
    </message>
</context>
<context>
    <name>DialogInfo</name>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
</context>
<context>
    <name>DialogKategorie</name>
    <message>
        <source>Kategorie</source>
        <translation>Category</translation>
    </message>
</context>
<context>
    <name>DialogMapa</name>
    <message>
        <source>Nastavení</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Barvení</source>
        <translation>Colouring</translation>
    </message>
    <message>
        <source>Nastavení exportu</source>
        <translation>Export settings</translation>
    </message>
    <message>
        <source>Česká republika</source>
        <translation>Czech Republic</translation>
    </message>
    <message>
        <source>Dle bodu</source>
        <translation>By the points</translation>
    </message>
    <message>
        <source>Mapa</source>
        <translation>Map</translation>
    </message>
    <message>
        <source>Velikost papíru</source>
        <translation>Paper size</translation>
    </message>
</context>
<context>
    <name>DialogOO</name>
    <message>
        <source>Další odpovědné osoby - emaily, čárkou oddělené</source>
        <translation>Further responsible persons - e-mails, separated by commas</translation>
    </message>
    <message>
        <source>Odpovědná osoba</source>
        <translation>Responsible person</translation>
    </message>
</context>
<context>
    <name>DialogTable</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>background-color: rgb(255, 255, 0);</source>
        <translation>background-color: rgb(255, 255, 0);</translation>
    </message>
</context>
<context>
    <name>DialogTableList</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>Přidat</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Smazat</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>background-color: rgb(255, 255, 0);</source>
        <translation>background-color: rgb(255, 255, 0);</translation>
    </message>
    <message>
        <source>Podnik</source>
        <translation>Enterprise</translation>
    </message>
    <message>
        <source>Výběr podniku</source>
        <translation>Choose enterprise</translation>
    </message>
</context>
<context>
    <name>DialogTextEdit</name>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
</context>
<context>
    <name>DialogUzivatel</name>
    <message>
        <source>Přihlašovací údaje do ZRN</source>
        <translation>ZRN login</translation>
    </message>
    <message>
        <source>Uživatel</source>
        <translation>User</translation>
    </message>
    <message>
        <source>Heslo</source>
        <translation>Password</translation>
    </message>
</context>
<context>
    <name>ECiselniky</name>
    <message>
        <source>Nespecifikováno</source>
        <translation>Unspecified</translation>
    </message>
    <message>
        <source>Prezentace / předvádění</source>
        <translation>Presentation / demonstration</translation>
    </message>
    <message>
        <source>Školení</source>
        <translation>Training</translation>
    </message>
    <message>
        <source>Tellmark / vývoj</source>
        <translation>Tellmark / development</translation>
    </message>
    <message>
        <source>Tellmark</source>
        <translation>Tellmark</translation>
    </message>
    <message>
        <source>Jednání</source>
        <translation>Meeting</translation>
    </message>
    <message>
        <source>Obchod</source>
        <translation>Sales</translation>
    </message>
    <message>
        <source>Výroba</source>
        <translation>Production</translation>
    </message>
    <message>
        <source>Servis technologie</source>
        <translation>Technology service</translation>
    </message>
    <message>
        <source>Montáž technologie</source>
        <translation>Installation of technology</translation>
    </message>
    <message>
        <source>Tarvo</source>
        <translation>Tarvo</translation>
    </message>
    <message>
        <source>Dovolená</source>
        <translation>Holiday</translation>
    </message>
    <message>
        <source>Různé</source>
        <translation>Miscellaneous</translation>
    </message>
    <message>
        <source>Nespecifikovano</source>
        <translation>Unspecified</translation>
    </message>
    <message>
        <source>Jan Novotný</source>
        <translation>Jan Novotný</translation>
    </message>
    <message>
        <source>Petr Král</source>
        <translation>Petr Král</translation>
    </message>
    <message>
        <source>Martin Dvořák</source>
        <translation>Martin Dvořák</translation>
    </message>
    <message>
        <source>Lukáš Havel</source>
        <translation>Lukáš Havel</translation>
    </message>
    <message>
        <source>Eva Šedivá</source>
        <translation>Eva Šedivá</translation>
    </message>
    <message>
        <source>Tomáš Brabec</source>
        <translation>Tomáš Brabec</translation>
    </message>
    <message>
        <source>Jiří Mareš</source>
        <translation>Jiří Mareš</translation>
    </message>
    <message>
        <source>Václav Kopal</source>
        <translation>Václav Kopal</translation>
    </message>
    <message>
        <source>Radek Růžička</source>
        <translation>Radek Růžička</translation>
    </message>
</context>
<context>
    <name>EventCodes</name>
    <message>
        <source>Nespecifikováno</source>
        <translation>Unspecified</translation>
    </message>
    <message>
        <source>Tellmark</source>
        <translation>Tellmark</translation>
    </message>
    <message>
        <source>ZRN</source>
        <translation>ZRN</translation>
    </message>
    <message>
        <source>Mail</source>
        <translation>Mail</translation>
    </message>
    <message>
        <source>Nextcloud</source>
        <translation>Nextcloud</translation>
    </message>
    <message>
        <source>Nahlášeno</source>
        <translation>Reported</translation>
    </message>
    <message>
        <source>Rozpracováno</source>
        <translation>In progress</translation>
    </message>
    <message>
        <source>Uzavřeno</source>
        <translation>Closed</translation>
    </message>
    <message>
        <source>Nízká</source>
        <translation>Low</translation>
    </message>
    <message>
        <source>Normální</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Vysoká</source>
        <translation>High</translation>
    </message>
    <message>
        <source>Žádná</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Kalendář</source>
        <translation>Calendar</translation>
    </message>
</context>
<context>
    <name>EventCombo</name>
    <message>
        <source>(nevyplněno)</source>
        <translation>(empty)</translation>
    </message>
</context>
<context>
    <name>EventList</name>
    <message>
        <source>Předmět</source>
        <translation>Subject</translation>
    </message>
    <message>
        <source>Datum/z.</source>
        <translation>Date/s.</translation>
    </message>
    <message>
        <source>Datum/k.</source>
        <translation>Date/e.</translation>
    </message>
    <message>
        <source>Zd.</source>
        <translation>Src.</translation>
    </message>
    <message>
        <source>Kat.</source>
        <translation>Cat.</translation>
    </message>
    <message>
        <source>St.</source>
        <translation>St.</translation>
    </message>
    <message>
        <source>Pr.</source>
        <translation>Pr.</translation>
    </message>
    <message>
        <source>OO</source>
        <translation>RP</translation>
    </message>
    <message>
        <source>Syn</source>
        <translation>Syn</translation>
    </message>
    <message>
        <source>C</source>
        <translation>C</translation>
    </message>
    <message>
        <source>Hash</source>
        <translation>Hash</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>ID parent</source>
        <translation>Parent ID</translation>
    </message>
    <message>
        <source>id_podnik</source>
        <translation>id_podnik</translation>
    </message>
    <message>
        <source>id_stredisko</source>
        <translation>id_stredisko</translation>
    </message>
</context>
<context>
    <name>EventPane</name>
    <message>
        <source>Vyberte prosím událost</source>
        <translation>Please choose an event</translation>
    </message>
    <message>
        <source>Vytvořeno</source>
        <translation>Created</translation>
    </message>
    <message>
        <source>Předmět</source>
        <translation>Subject</translation>
    </message>
    <message>
        <source>Podnik, středisko, lokalita</source>
        <translation>Enterprise, centre, location</translation>
    </message>
    <message>
        <source>Zdroj, kategorie, číslo projektu</source>
        <translation>Source, category, project number</translation>
    </message>
    <message>
        <source>Nespecifikováno</source>
        <translation>Unspecified</translation>
    </message>
    <message>
        <source>Tellmark</source>
        <translation>Tellmark</translation>
    </message>
    <message>
        <source>ZRN</source>
        <translation>ZRN</translation>
    </message>
    <message>
        <source>Mail</source>
        <translation>Mail</translation>
    </message>
    <message>
        <source>Nextcloud</source>
        <translation>Nextcloud</translation>
    </message>
    <message>
        <source>Odpovědná osoba</source>
        <translation>Responsible person</translation>
    </message>
    <message>
        <source>Upozornění</source>
        <translation>Reminder</translation>
    </message>
    <message>
        <source>Priorita</source>
        <translation>Priority</translation>
    </message>
    <message>
        <source>Stav</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Nedokončené od</source>
        <translation>Unfinished from</translation>
    </message>
    <message>
        <source>Synchronizace</source>
        <translation>Synchronisation</translation>
    </message>
    <message>
        <source>Začátek</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Konec</source>
        <translation>End</translation>
    </message>
    <message>
        <source>Cesta</source>
        <translation>Path</translation>
    </message>
    <message>
        <source>Nízká</source>
        <translation>Low</translation>
    </message>
    <message>
        <source>Normální</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Vysoká</source>
        <translation>High</translation>
    </message>
    <message>
        <source>Nahlášeno</source>
        <translation>Reported</translation>
    </message>
    <message>
        <source>Rozpracováno</source>
        <translation>In progress</translation>
    </message>
    <message>
        <source>Uzavřeno</source>
        <translation>Closed</translation>
    </message>
    <message>
        <source>Žádná</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Kalendář</source>
        <translation>Calendar</translation>
    </message>
    <message>
        <source>Uložit</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Lokalita</source>
        <translation>Location</translation>
    </message>
    <message>
        <source>Podnik</source>
        <translation>Enterprise</translation>
    </message>
    <message>
        <source>Středisko</source>
        <translation>Centre</translation>
    </message>
    <message>
        <source>Zdroj</source>
        <translation>Source</translation>
    </message>
    <message>
        <source>Kategorie</source>
        <translation>Category</translation>
    </message>
    <message>
        <source>Číslo projektu</source>
        <translation>Project number</translation>
    </message>
    <message>
        <source>Upozornění Mail</source>
        <translation>Mail notification</translation>
    </message>
    <message>
        <source>Upozornění Tellmark</source>
        <translation>Tellmark notification</translation>
    </message>
    <message>
        <source>Popis</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Historie</source>
        <translation>History</translation>
    </message>
    <message>
        <source>Událost mezitím smazal jiný uživatel. Nic nebylo uloženo.</source>
        <translation>Another user has deleted the event in the meantime. Nothing was saved.</translation>
    </message>
    <message>
        <source>Historie události</source>
        <translation>History of the event</translation>
    </message>
    <message>
        <source>Přejete si uložit rozpracovanou událost?</source>
        <translation>Do you want to save the event you are editing?</translation>
    </message>
    <message>
        <source>Výběr uživatele</source>
        <translation>Choose user</translation>
    </message>
    <message>
        <source>přílohy nelze načíst.</source>
        <translation>the attachments cannot be read.</translation>
    </message>
    <message>
        <source>událost nelze uložit.</source>
        <translation>the event cannot be saved.</translation>
    </message>
</context>
<context>
    <name>EventPickers</name>
    <message>
        <source>Výběr podniku</source>
        <translation>Choose enterprise</translation>
    </message>
    <message>
        <source>Podnik</source>
        <translation>Enterprise</translation>
    </message>
    <message>
        <source>Výběr střediska</source>
        <translation>Choose centre</translation>
    </message>
    <message>
        <source>Licence</source>
        <translation>Licence</translation>
    </message>
    <message>
        <source>Středisko</source>
        <translation>Centre</translation>
    </message>
</context>
<context>
    <name>EventStore</name>
    <message>
        <source>Událost už v databázi není.</source>
        <translation>The event is no longer in the database.</translation>
    </message>
    <message>
        <source>Událost, na kterou odpovídáte, byla mezitím smazána.</source>
        <translation>The event you are replying to has been deleted in the meantime.</translation>
    </message>
    <message>
        <source>Databáze nevrátila číslo nové události.</source>
        <translation>The database did not return the number of the new event.</translation>
    </message>
    <message>
        <source>Nelze zjistit první událost vlákna.</source>
        <translation>The first event of the thread cannot be found.</translation>
    </message>
    <message>
        <source>Událost už byla smazána.</source>
        <translation>The event has already been deleted.</translation>
    </message>
    <message>
        <source>Napsáno:</source>
        <translation>Written:</translation>
    </message>
    <message>
        <source>Dne </source>
        <translation>On </translation>
    </message>
    <message>
        <source>, napsáno:</source>
        <translation>, wrote:</translation>
    </message>
</context>
<context>
    <name>EventThreads</name>
    <message>
        <source>Podnik/Středisko/Lokalita</source>
        <translation>Enterprise/Centre/Location</translation>
    </message>
    <message>
        <source>Podnik/Středisko</source>
        <translation>Enterprise/Centre</translation>
    </message>
    <message>
        <source>Služba pro události není k dispozici.</source>
        <translation>The event service is not available.</translation>
    </message>
    <message>
        <source>Odpověď služby nelze přečíst.</source>
        <translation>The service&apos;s answer cannot be read.</translation>
    </message>
    <message>
        <source>Služba nevydala identifikátor události.</source>
        <translation>The service issued no identifier for the event.</translation>
    </message>
    <message>
        <source>Přidání události</source>
        <translation>Add event</translation>
    </message>
    <message>
        <source>Není možno smazat událost neboť není koncová.</source>
        <translation>The event cannot be deleted because it has replies.</translation>
    </message>
    <message>
        <source>Přejete si smazat událost?</source>
        <translation>Do you want to delete the event?</translation>
    </message>
    <message>
        <source>zobrazeno %1 z více</source>
        <translation>showing %1 of more</translation>
    </message>
    <message>
        <source>zobrazeno %1</source>
        <translation>showing %1</translation>
    </message>
    <message>
        <source>(hledá se jen v předmětu a v názvech; hledání v popisech zapne správce příkazem „zrnctl init“)</source>
        <translation>(only the subject and the names are searched; the administrator turns on searching the descriptions with the command “zrnctl init”)</translation>
    </message>
    <message>
        <source>událost nelze uložit.</source>
        <translation>the event cannot be saved.</translation>
    </message>
    <message>
        <source>událost nelze smazat.</source>
        <translation>the event cannot be deleted.</translation>
    </message>
</context>
<context>
    <name>EventsPages</name>
    <message>
        <source>Události</source>
        <translation>Events</translation>
    </message>
</context>
<context>
    <name>EvidenceTab</name>
    <message>
        <source>O podniku</source>
        <translation>About the enterprise</translation>
    </message>
    <message>
        <source>O středisku</source>
        <translation>About the centre</translation>
    </message>
    <message>
        <source>Specifikace</source>
        <translation>Technology</translation>
    </message>
    <message>
        <source>GPS</source>
        <translation>GPS</translation>
    </message>
    <message>
        <source>Historie</source>
        <translation>History</translation>
    </message>
    <message>
        <source>Vyberte prosím podnik nebo středisko ...</source>
        <translation>Please choose an enterprise or a centre ...</translation>
    </message>
    <message>
        <source>Výběr</source>
        <translation>Choice</translation>
    </message>
    <message>
        <source>Filtr</source>
        <translation>Filter</translation>
    </message>
</context>
<context>
    <name>FakturaceStore</name>
    <message>
        <source>Smlouva podnik</source>
        <translation>Contract enterprise</translation>
    </message>
    <message>
        <source>Smlouva číslo</source>
        <translation>Contract number</translation>
    </message>
    <message>
        <source>Podnik</source>
        <translation>Enterprise</translation>
    </message>
    <message>
        <source>Fakturovat od</source>
        <translation>Invoice from</translation>
    </message>
    <message>
        <source>Částka</source>
        <translation>Amount</translation>
    </message>
    <message>
        <source>Měna</source>
        <translation>Currency</translation>
    </message>
    <message>
        <source>Sleva [%]</source>
        <translation>Discount [%]</translation>
    </message>
    <message>
        <source>Sleva [měsíce]</source>
        <translation>Discount [months]</translation>
    </message>
    <message>
        <source>Fakt. měsíce</source>
        <translation>Inv. months</translation>
    </message>
    <message>
        <source>Fakt. období</source>
        <translation>Inv. period</translation>
    </message>
    <message>
        <source>Zpětně</source>
        <translation>Retroactive</translation>
    </message>
    <message>
        <source>Podepsáno</source>
        <translation>Signed</translation>
    </message>
    <message>
        <source>Poznámka</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>bez měny</source>
        <translation>no currency</translation>
    </message>
    <message>
        <source>Fakturace - smlouvy</source>
        <translation>Invoicing - contracts</translation>
    </message>
    <message>
        <source>Smluv:</source>
        <translation>Contracts:</translation>
    </message>
    <message>
        <source>Součty částek:</source>
        <translation>Totals of the amounts:</translation>
    </message>
</context>
<context>
    <name>FakturaceTab</name>
    <message>
        <source>Všechny smlouvy</source>
        <translation>All contracts</translation>
    </message>
    <message>
        <source>Podepsané</source>
        <translation>Signed</translation>
    </message>
    <message>
        <source>Nepodepsané</source>
        <translation>Unsigned</translation>
    </message>
    <message>
        <source>Hledat</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>Obnovit</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <source>Tisk</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Fakturovat od</source>
        <translation>Invoice from</translation>
    </message>
    <message>
        <source>do</source>
        <translation>to</translation>
    </message>
    <message>
        <source>Fakturace</source>
        <translation>Invoicing</translation>
    </message>
    <message>
        <source>Smlouvy nelze načíst:
%1</source>
        <translation>The contracts cannot be read:
%1</translation>
    </message>
    <message>
        <source>Smluv: %1</source>
        <translation>Contracts: %1</translation>
    </message>
    <message>
        <source>Součty částek za rok: %1</source>
        <translation>Yearly amounts in total: %1</translation>
    </message>
    <message>
        <source>fakturovat od %1 do %2</source>
        <translation>invoice from %1 to %2</translation>
    </message>
    <message>
        <source>hledáno „%1“</source>
        <translation>searched for “%1”</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>Tabulka nezobrazuje žádnou smlouvu, není co exportovat.</source>
        <translation>The table shows no contract; there is nothing to export.</translation>
    </message>
    <message>
        <source>Tyto hodnoty nelze zapsat v kódování Windows-1250 (v souboru by z nich byly otazníky):

%1

Uložit soubor v kódování UTF-8?</source>
        <translation>These values cannot be written in the Windows-1250 encoding (they would become question marks in the file):

%1

Save the file in UTF-8?</translation>
    </message>
    <message>
        <source>Otázka</source>
        <translation>Question</translation>
    </message>
    <message>
        <source>Soubor „%1“ nelze zapsat:
%2</source>
        <translation>The file “%1” cannot be written:
%2</translation>
    </message>
    <message>
        <source>1 smlouvu</source>
        <translation>1 contract</translation>
    </message>
    <message>
        <source>%1 smlouvy</source>
        <translation>%1 contracts</translation>
    </message>
    <message>
        <source>%1 smluv</source>
        <translation>%1 contracts</translation>
    </message>
    <message>
        <source>Export je hotový: soubor „%1“ obsahuje %2.</source>
        <translation>The export is done: the file “%1” holds %2.</translation>
    </message>
    <message>
        <source>Smlouvy se nepodařilo vytisknout. Zkontrolujte tiskárnu, případně cílový soubor, a zkuste to znovu.</source>
        <translation>The contracts could not be printed. Check the printer or the target file and try again.</translation>
    </message>
</context>
<context>
    <name>Filtr</name>
    <message>
        <source>Počet vybraných podniků :</source>
        <translation>Chosen enterprises: </translation>
    </message>
</context>
<context>
    <name>GpsPage</name>
    <message>
        <source>Souřadnice středisko</source>
        <translation>Centre coordinates</translation>
    </message>
    <message>
        <source>Google</source>
        <translation>Google</translation>
    </message>
    <message>
        <source>Uložit</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>GPS</source>
        <translation>GPS</translation>
    </message>
    <message>
        <source>Souřadnice GPS</source>
        <translation>GPS coordinates</translation>
    </message>
</context>
<context>
    <name>HistoriePage</name>
    <message>
        <source>Historie</source>
        <translation>History</translation>
    </message>
</context>
<context>
    <name>HistoryView</name>
    <message>
        <source>Datum</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Uživatel</source>
        <translation>User</translation>
    </message>
    <message>
        <source>Pole</source>
        <translation>Field</translation>
    </message>
    <message>
        <source>Původní hodnota</source>
        <translation>Original value</translation>
    </message>
    <message>
        <source>Nová hodnota</source>
        <translation>New value</translation>
    </message>
    <message>
        <source>Chyba: historii nelze načíst.</source>
        <translation>Error: the history cannot be read.</translation>
    </message>
    <message>
        <source>Historie změn není v této databázi nastavena (založí ji příkaz „zrnctl init“).</source>
        <translation>This database keeps no change history (the command “zrnctl init” sets it up).</translation>
    </message>
    <message>
        <source>změněno</source>
        <translation>changed</translation>
    </message>
</context>
<context>
    <name>Launcher</name>
    <message>
        <source>Soubor neexistuje.</source>
        <translation>The file does not exist.</translation>
    </message>
    <message>
        <source>Soubor není spustitelný program.</source>
        <translation>The file is not an executable program.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>ZRN</source>
        <translation>ZRN</translation>
    </message>
    <message>
        <source>Uživatel</source>
        <translation>User</translation>
    </message>
    <message>
        <source>Sestavy</source>
        <translation>Reports</translation>
    </message>
    <message>
        <source>Fakturace</source>
        <translation>Invoicing</translation>
    </message>
    <message>
        <source>Podniky/střediska</source>
        <translation>Enterprises/centres</translation>
    </message>
    <message>
        <source>Události</source>
        <translation>Events</translation>
    </message>
    <message>
        <source>Prohlížeč</source>
        <translation>Browser</translation>
    </message>
    <message>
        <source>Uživatelé</source>
        <translation>Users</translation>
    </message>
    <message>
        <source>Control Panel</source>
        <translation>Control Panel</translation>
    </message>
    <message>
        <source>Přístup zamítnut.</source>
        <translation>Access denied.</translation>
    </message>
    <message>
        <source>Otázka</source>
        <translation>Question</translation>
    </message>
    <message>
        <source>Přejete si uložit změny?</source>
        <translation>Do you want to save the changes?</translation>
    </message>
</context>
<context>
    <name>MapDocument</name>
    <message>
        <source>Jedna barva</source>
        <translation>One colour</translation>
    </message>
    <message>
        <source>Dle regionu</source>
        <translation>By region</translation>
    </message>
    <message>
        <source>Dle podniků využívající Tellmark</source>
        <translation>By enterprises using Tellmark</translation>
    </message>
    <message>
        <source>Dle odpovědné osoby</source>
        <translation>By responsible person</translation>
    </message>
    <message>
        <source>Dle dojírny</source>
        <translation>By milking parlour</translation>
    </message>
    <message>
        <source>Dle pohybové aktivity</source>
        <translation>By activity monitoring</translation>
    </message>
    <message>
        <source>Region: </source>
        <translation>Region: </translation>
    </message>
    <message>
        <source>Odpovědná osoba: </source>
        <translation>Responsible person: </translation>
    </message>
    <message>
        <source>Počet zvířat: </source>
        <translation>Animals: </translation>
    </message>
    <message>
        <source>Počet dojnice: </source>
        <translation>Dairy cows: </translation>
    </message>
    <message>
        <source>Cena TM/rok: </source>
        <translation>TM price/year: </translation>
    </message>
    <message>
        <source>Dojírna: </source>
        <translation>Milking parlour: </translation>
    </message>
    <message>
        <source>Aktivita: </source>
        <translation>Activity: </translation>
    </message>
</context>
<context>
    <name>MapExport</name>
    <message>
        <source>Podniky pro mapu nelze načíst:
%1</source>
        <translation>The enterprises for the map cannot be read:
%1</translation>
    </message>
</context>
<context>
    <name>Notice</name>
    <message>
        <source>Uloženo %1</source>
        <translation>Saved %1</translation>
    </message>
    <message>
        <source>Exportováno %1: %2</source>
        <translation>Exported %1: %2</translation>
    </message>
    <message>
        <source>Příloha uložena %1: %2</source>
        <translation>Attachment saved %1: %2</translation>
    </message>
</context>
<context>
    <name>OwnUserTab</name>
    <message>
        <source>Přihlášený uživatel</source>
        <translation>Signed-in user</translation>
    </message>
    <message>
        <source>Cesta na root lokalních souborů v Nextcloudu</source>
        <translation>Root folder of the local Nextcloud files</translation>
    </message>
    <message>
        <source>Jazyk</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Změna se projeví při příštím spuštění programu.</source>
        <translation>The change takes effect at the next start of the program.</translation>
    </message>
    <message>
        <source>Výběrem podniku se kopíruje název do schránky</source>
        <translation>Choosing an enterprise copies its name to the clipboard</translation>
    </message>
    <message>
        <source>Předvyplnit kategorii nové události</source>
        <translation>Pre-fill the category of a new event</translation>
    </message>
    <message>
        <source>Obchod</source>
        <translation>Sales</translation>
    </message>
    <message>
        <source>O</source>
        <translation>S</translation>
    </message>
    <message>
        <source>Záložky opravněných osob</source>
        <translation>Bookmarked authorised persons</translation>
    </message>
    <message>
        <source>Odhlásit a ukončit</source>
        <translation>Log out and quit</translation>
    </message>
    <message>
        <source>Jazyk systému</source>
        <translation>System language</translation>
    </message>
</context>
<context>
    <name>PodnikPage</name>
    <message>
        <source>Holding</source>
        <translation>Holding</translation>
    </message>
    <message>
        <source>Podnik</source>
        <translation>Enterprise</translation>
    </message>
    <message>
        <source>Upravit</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Smazat</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Středisko</source>
        <translation>Centre</translation>
    </message>
    <message>
        <source>Přidat</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Soubory</source>
        <translation>Files</translation>
    </message>
    <message>
        <source>Uložit</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Kontakt</source>
        <translation>Contact</translation>
    </message>
    <message>
        <source>Kontaktní osoba</source>
        <translation>Contact person</translation>
    </message>
    <message>
        <source>Telefon</source>
        <translation>Phone</translation>
    </message>
    <message>
        <source>Adresa</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>EMail</source>
        <translation>E-mail</translation>
    </message>
    <message>
        <source>Země</source>
        <translation>Country</translation>
    </message>
    <message>
        <source>IČO</source>
        <translation>Company ID</translation>
    </message>
    <message>
        <source>CH6</source>
        <translation>CH6</translation>
    </message>
    <message>
        <source>Okres dle sídla</source>
        <translation>District of the seat</translation>
    </message>
    <message>
        <source>Region</source>
        <translation>Region</translation>
    </message>
    <message>
        <source>Poznámka</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>Informace o podniku</source>
        <translation>About the enterprise</translation>
    </message>
    <message>
        <source>Celkem skotu [ks]</source>
        <translation>Cattle in total [head]</translation>
    </message>
    <message>
        <source>Dojnice [ks]</source>
        <translation>Dairy cows [head]</translation>
    </message>
    <message>
        <source>Převažující plemeno</source>
        <translation>Main breed</translation>
    </message>
    <message>
        <source>Masný skot [ks]</source>
        <translation>Beef cattle [head]</translation>
    </message>
    <message>
        <source>Chovatelský SW</source>
        <translation>Breeding SW</translation>
    </message>
    <message>
        <source>Hlášení ÚE</source>
        <translation>Registry reports</translation>
    </message>
    <message>
        <source>Účetní SW</source>
        <translation>Accounting SW</translation>
    </message>
    <message>
        <source>Obchod</source>
        <translation>Sales</translation>
    </message>
    <message>
        <source>Odpovědná osoba</source>
        <translation>Responsible person</translation>
    </message>
    <message>
        <source>Vztah se zákazníkem</source>
        <translation>Customer relationship</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>2</source>
        <translation>2</translation>
    </message>
    <message>
        <source>3</source>
        <translation>3</translation>
    </message>
    <message>
        <source>4</source>
        <translation>4</translation>
    </message>
    <message>
        <source>5</source>
        <translation>5</translation>
    </message>
    <message>
        <source>Priorita</source>
        <translation>Priority</translation>
    </message>
    <message>
        <source>Poslední kontakt</source>
        <translation>Last contact</translation>
    </message>
    <message>
        <source>Osoba</source>
        <translation>Person</translation>
    </message>
    <message>
        <source>Další kontakt</source>
        <translation>Next contact</translation>
    </message>
    <message>
        <source>Předvedení</source>
        <translation>Demonstration</translation>
    </message>
    <message>
        <source>Nabídka SW odeslána</source>
        <translation>SW offer sent</translation>
    </message>
    <message>
        <source>Stav SW</source>
        <translation>SW status</translation>
    </message>
    <message>
        <source>Podepsáno</source>
        <translation>Signed</translation>
    </message>
    <message>
        <source>Nabídka TECH odeslána</source>
        <translation>TECH offer sent</translation>
    </message>
    <message>
        <source>Stav TECH</source>
        <translation>TECH status</translation>
    </message>
    <message>
        <source>Fakturace</source>
        <translation>Invoicing</translation>
    </message>
    <message>
        <source>Smlouva podnik</source>
        <translation>Contract enterprise</translation>
    </message>
    <message>
        <source>Smlouva číslo</source>
        <translation>Contract number</translation>
    </message>
    <message>
        <source>Fakturovat od</source>
        <translation>Invoice from</translation>
    </message>
    <message>
        <source>Částka</source>
        <translation>Amount</translation>
    </message>
    <message>
        <source>Měna</source>
        <translation>Currency</translation>
    </message>
    <message>
        <source>Sleva [%]</source>
        <translation>Discount [%]</translation>
    </message>
    <message>
        <source>Sleva [měsíce]</source>
        <translation>Discount [months]</translation>
    </message>
    <message>
        <source>Fakt. měsíce</source>
        <translation>Inv. months</translation>
    </message>
    <message>
        <source>Fakt. období</source>
        <translation>Inv. period</translation>
    </message>
    <message>
        <source>Zpětně</source>
        <translation>Retroactive</translation>
    </message>
    <message>
        <source>Výběr odpovedené osoby</source>
        <translation>Choose responsible person</translation>
    </message>
    <message>
        <source>Poznámky</source>
        <translation>Notes</translation>
    </message>
    <message>
        <source>Poznámka (Region)</source>
        <translation>Note (Region)</translation>
    </message>
    <message>
        <source>Převažující plemeno (Dojnice)</source>
        <translation>Main breed (Dairy cows)</translation>
    </message>
    <message>
        <source>Převažující plemeno (Masný skot)</source>
        <translation>Main breed (Beef cattle)</translation>
    </message>
    <message>
        <source>Poznámka (Účetní SW)</source>
        <translation>Note (Accounting SW)</translation>
    </message>
    <message>
        <source>Poznámka (Hlášení ÚE)</source>
        <translation>Note (Registry reports)</translation>
    </message>
    <message>
        <source>Kontaktní osoba (Obchod)</source>
        <translation>Contact person (Sales)</translation>
    </message>
    <message>
        <source>Telefon (Obchod)</source>
        <translation>Phone (Sales)</translation>
    </message>
    <message>
        <source>EMail (Obchod)</source>
        <translation>E-mail (Sales)</translation>
    </message>
    <message>
        <source>Osoba (Poslední kontakt)</source>
        <translation>Person (Last contact)</translation>
    </message>
    <message>
        <source>Osoba (Předvedení)</source>
        <translation>Person (Demonstration)</translation>
    </message>
    <message>
        <source>Poznámka (Stav SW)</source>
        <translation>Note (SW status)</translation>
    </message>
    <message>
        <source>Poznámka (Chovatelský SW)</source>
        <translation>Note (Breeding SW)</translation>
    </message>
    <message>
        <source>Poznámka (Stav TECH)</source>
        <translation>Note (TECH status)</translation>
    </message>
    <message>
        <source>Poznámka (Fakturace)</source>
        <translation>Note (Invoicing)</translation>
    </message>
</context>
<context>
    <name>PodnikyTree</name>
    <message>
        <source>Sbalit vše</source>
        <translation>Collapse all</translation>
    </message>
    <message>
        <source>Rozbalit vše</source>
        <translation>Expand all</translation>
    </message>
    <message>
        <source>Přidat</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Nový podnik</source>
        <translation>New enterprise</translation>
    </message>
    <message>
        <source>Filtr</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>Obnovit</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>Mapa</source>
        <translation>Map</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>CELKOVĚ - podniky:</source>
        <translation>TOTAL - enterprises:</translation>
    </message>
    <message>
        <source>střediska:</source>
        <translation>centres:</translation>
    </message>
    <message>
        <source> | TELLMARK - podniky:</source>
        <translation> | TELLMARK - enterprises:</translation>
    </message>
    <message>
        <source>Podnik/Středisko</source>
        <translation>Enterprise/Centre</translation>
    </message>
    <message>
        <source>Licence</source>
        <translation>Licence</translation>
    </message>
    <message>
        <source>Spustění</source>
        <translation>Start-up</translation>
    </message>
    <message>
        <source>Fakturace od</source>
        <translation>Invoicing from</translation>
    </message>
    <message>
        <source>Spec. AUTO</source>
        <translation>Tech. AUTO</translation>
    </message>
    <message>
        <source>Region</source>
        <translation>Region</translation>
    </message>
</context>
<context>
    <name>PortalAccessPage</name>
    <message>
        <source>Přístupy</source>
        <translation>Portal access</translation>
    </message>
    <message>
        <source>Uložit</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>EAgri</source>
        <translation>EAgri</translation>
    </message>
    <message>
        <source>Jméno</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Heslo</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>ESkot</source>
        <translation>ESkot</translation>
    </message>
    <message>
        <source>EAgri Jméno</source>
        <translation>EAgri name</translation>
    </message>
    <message>
        <source>EAgri Heslo</source>
        <translation>EAgri password</translation>
    </message>
    <message>
        <source>ESkot Jméno</source>
        <translation>ESkot name</translation>
    </message>
    <message>
        <source>ESkot Heslo</source>
        <translation>ESkot password</translation>
    </message>
</context>
<context>
    <name>ProhlizecTab</name>
    <message>
        <source>Generování mapy ...</source>
        <translation>Generating the map ...</translation>
    </message>
    <message>
        <source>Adresa mapové služby (%1 v nastavení) není platná: %2</source>
        <translation>The address of the map service (%1 in the settings) is not valid: %2</translation>
    </message>
    <message>
        <source>Uložení souboru</source>
        <translation>Save file</translation>
    </message>
    <message>
        <source>Chyba generování mapy.</source>
        <translation>The map could not be generated.</translation>
    </message>
    <message>
        <source>Chyba generování mapy: mapové podklady nelze stáhnout (%1).</source>
        <translation>The map could not be generated: the map tiles cannot be downloaded (%1).</translation>
    </message>
    <message>
        <source>Neznámá velikost papíru nebo DPI: %1, %2.</source>
        <translation>Unknown paper size or DPI: %1, %2.</translation>
    </message>
    <message>
        <source>Obrázek by měl přes 100 megapixelů, DPI bylo sníženo z %1 na %2.</source>
        <translation>The image would have over 100 megapixels; the DPI was lowered from %1 to %2.</translation>
    </message>
    <message>
        <source>Generování mapy bylo zrušeno.</source>
        <translation>Generating the map was cancelled.</translation>
    </message>
    <message>
        <source>Podniky pro mapu nelze načíst:
%1</source>
        <translation>The enterprises for the map cannot be read:
%1</translation>
    </message>
    <message>
        <source>Chyba generování mapy (obrázek nelze převést do JPEG).</source>
        <translation>The map could not be generated (the image cannot be converted to JPEG).</translation>
    </message>
    <message>
        <source>Soubor %1 nelze zapsat: %2</source>
        <translation>The file %1 cannot be written: %2</translation>
    </message>
    <message>
        <source>Chyba generování mapy: služba neodpověděla do %1 s.</source>
        <translation>The map could not be generated: the service did not answer within %1 s.</translation>
    </message>
    <message>
        <source>Chyba generování mapy: server mapových podkladů neodpověděl do %1 s.</source>
        <translation>The map could not be generated: the map tile server did not answer within %1 s.</translation>
    </message>
</context>
<context>
    <name>QFDateEdit</name>
    <message>
        <source>Kalendář</source>
        <translation>Calendar</translation>
    </message>
    <message>
        <source>Neplatné datum (%1)</source>
        <translation>Invalid date (%1)</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>ZRN</source>
        <translation>ZRN</translation>
    </message>
    <message>
        <source>Databázi nelze otevřít.</source>
        <translation>The database cannot be opened.</translation>
    </message>
    <message>
        <source>(prázdné)</source>
        <translation>(empty)</translation>
    </message>
    <message>
        <source>Výběr holdingu</source>
        <translation>Choose holding</translation>
    </message>
    <message>
        <source>Holding</source>
        <translation>Holding</translation>
    </message>
    <message>
        <source>Seznam podniků</source>
        <translation>List of enterprises</translation>
    </message>
    <message>
        <source>Výběr rootového adresáře nextcloud</source>
        <translation>Choose the Nextcloud root folder</translation>
    </message>
    <message>
        <source>Přejete si uložit změny?</source>
        <translation>Do you want to save the changes?</translation>
    </message>
</context>
<context>
    <name>QSAttachment</name>
    <message>
        <source>Přidat přílohu</source>
        <translation>Add attachment</translation>
    </message>
    <message>
        <source>Přílohy nelze uložit: událost není uložena.</source>
        <translation>The attachments cannot be saved: the event is not saved.</translation>
    </message>
    <message>
        <source>Překročena maximalní velikost souboru (20MB).</source>
        <translation>The file exceeds the maximum size (20 MB).</translation>
    </message>
    <message>
        <source>Soubor je větší, než databázový server přijme (limit %1 MB).</source>
        <translation>The file is larger than the database server accepts (limit %1 MB).</translation>
    </message>
    <message>
        <source>výběr souboru</source>
        <translation>choose a file</translation>
    </message>
    <message>
        <source>Příloha „%1“ je program nebo skript a otevřením se spustí. Přejete si ji přesto otevřít?</source>
        <translation>The attachment “%1” is a program or a script and opening it runs it. Do you want to open it anyway?</translation>
    </message>
    <message>
        <source>Uložení souboru</source>
        <translation>Save file</translation>
    </message>
    <message>
        <source>Přejete si odstranit přílohu?</source>
        <translation>Do you want to remove the attachment?</translation>
    </message>
    <message>
        <source>Všechny soubory (*.*)</source>
        <translation>All files (*.*)</translation>
    </message>
    <message>
        <source>Chyba při otevírání souboru.</source>
        <translation>Error opening the file.</translation>
    </message>
</context>
<context>
    <name>QSSQL</name>
    <message>
        <source>Databáze není připojena.</source>
        <translation>The database is not connected.</translation>
    </message>
    <message>
        <source>Předchozí příkaz transakce selhal, transakce bude vrácena: %1</source>
        <translation>An earlier statement of the transaction failed; the transaction will be rolled back: %1</translation>
    </message>
    <message>
        <source>Databázový server není dostupný.</source>
        <translation>The database server is not available.</translation>
    </message>
    <message>
        <source>Databázový server neodpověděl včas (do %1 s), operace byla přerušena.</source>
        <translation>The database server did not answer in time (within %1 s); the operation was interrupted.</translation>
    </message>
    <message>
        <source>Zkuste to prosím znovu; trvá-li to stále, obraťte se na správce databáze.</source>
        <translation>Please try again; if it persists, contact the database administrator.</translation>
    </message>
    <message>
        <source>Zápis nemusel proběhnout. Zkontrolujte údaje a případně je uložte znovu.</source>
        <translation>The write may not have been made. Check the data and save them again if needed.</translation>
    </message>
    <message>
        <source>Spojení s databázovým serverem se přerušilo a nepodařilo se je obnovit.</source>
        <translation>The connection to the database server was lost and could not be restored.</translation>
    </message>
    <message>
        <source>Spojení s databází se přerušilo během zápisu; zápis nemusel proběhnout. Zkontrolujte údaje a případně je uložte znovu.</source>
        <translation>The connection to the database was lost while writing; the write may not have been made. Check the data and save them again if needed.</translation>
    </message>
    <message>
        <source>Neznámá chyba databáze</source>
        <translation>Unknown database error</translation>
    </message>
    <message>
        <source>Počet hodnot neodpovídá příkazu.</source>
        <translation>The number of values does not match the statement.</translation>
    </message>
</context>
<context>
    <name>QSTBTextedit</name>
    <message>
        <source>Tučně</source>
        <translation>Bold</translation>
    </message>
    <message>
        <source>Kurzíva</source>
        <translation>Italic</translation>
    </message>
    <message>
        <source>Podtržení</source>
        <translation>Underline</translation>
    </message>
    <message>
        <source>Barva textu</source>
        <translation>Text colour</translation>
    </message>
    <message>
        <source>Odrážky</source>
        <translation>Bullets</translation>
    </message>
    <message>
        <source>Číslování</source>
        <translation>Numbering</translation>
    </message>
    <message>
        <source>Zarovnat vlevo</source>
        <translation>Align left</translation>
    </message>
    <message>
        <source>Zarovnat na střed</source>
        <translation>Centre</translation>
    </message>
    <message>
        <source>Zarovnat vpravo</source>
        <translation>Align right</translation>
    </message>
    <message>
        <source>Zarovnat do bloku</source>
        <translation>Justify</translation>
    </message>
    <message>
        <source>Velikost písma</source>
        <translation>Font size</translation>
    </message>
    <message>
        <source>Zrušit formátování</source>
        <translation>Clear formatting</translation>
    </message>
</context>
<context>
    <name>RegisterMaintenance</name>
    <message>
        <source>Podnik</source>
        <translation>Enterprise</translation>
    </message>
    <message>
        <source>Holding</source>
        <translation>Holding</translation>
    </message>
    <message>
        <source>Středisko</source>
        <translation>Centre</translation>
    </message>
    <message>
        <source>Oprava podniku</source>
        <translation>Edit enterprise</translation>
    </message>
    <message>
        <source>Středisko bylo založeno, ale strom ho nezobrazuje: skrývá ho aktivní filtr nebo omezení vašeho účtu (region, přidělená střediska).</source>
        <translation>The centre was created, but the tree does not show it: the active filter or the restrictions of your account (region, assigned centres) hide it.</translation>
    </message>
    <message>
        <source>Podnik byl založen, ale strom ho nezobrazuje: skrývá ho aktivní filtr nebo omezení vašeho účtu (region, přidělená střediska).</source>
        <translation>The enterprise was created, but the tree does not show it: the active filter or the restrictions of your account (region, assigned centres) hide it.</translation>
    </message>
    <message>
        <source>Chyba:</source>
        <translation>Error:</translation>
    </message>
    <message>
        <source>počet nelze zjistit.</source>
        <translation>the count cannot be found.</translation>
    </message>
    <message>
        <source>Přidání podniku</source>
        <translation>Add enterprise</translation>
    </message>
    <message>
        <source>Název/ičo:</source>
        <translation>Name/company ID:</translation>
    </message>
    <message>
        <source>Chyba vyhledávání.</source>
        <translation>Search error.</translation>
    </message>
    <message>
        <source>IČO nenalezeno.</source>
        <translation>Company ID not found.</translation>
    </message>
    <message>
        <source>Zadané IČO je již založeno.</source>
        <translation>The company ID given already exists.</translation>
    </message>
    <message>
        <source>Smazání podniku</source>
        <translation>Delete enterprise</translation>
    </message>
    <message>
        <source>Pro potvrzení smazaní podniku napište do pole - smazat</source>
        <translation>To confirm deleting the enterprise, type into the field - smazat</translation>
    </message>
    <message>
        <source>Podnik nelze smazat, protože má střediska (počet: %1). Nejprve smažte jeho střediska.</source>
        <translation>The enterprise cannot be deleted because it has centres (count: %1). Delete its centres first.</translation>
    </message>
    <message>
        <source>Podnik nelze smazat, protože má nesmazané události (počet: %1).</source>
        <translation>The enterprise cannot be deleted because it has events that are not deleted (count: %1).</translation>
    </message>
    <message>
        <source>Přidání střediska</source>
        <translation>Add centre</translation>
    </message>
    <message>
        <source>Název:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Oprava střediska</source>
        <translation>Edit centre</translation>
    </message>
    <message>
        <source>Smazání střediska</source>
        <translation>Delete centre</translation>
    </message>
    <message>
        <source>Pro potvrzení smazaní střediska napište do pole - smazat</source>
        <translation>To confirm deleting the centre, type into the field - smazat</translation>
    </message>
    <message>
        <source>Středisko nelze smazat, protože má nesmazané události (počet: %1).</source>
        <translation>The centre cannot be deleted because it has events that are not deleted (count: %1).</translation>
    </message>
</context>
<context>
    <name>RemoteAccessPage</name>
    <message>
        <source>Kontakt</source>
        <translation>Contact</translation>
    </message>
    <message>
        <source>generované ID</source>
        <translation>generated ID</translation>
    </message>
    <message>
        <source>Uložit</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Host</source>
        <translation>Host</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Heslo</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>Připojit VNC 1</source>
        <translation>Connect VNC 1</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Připojit VNC 2</source>
        <translation>Connect VNC 2</translation>
    </message>
    <message>
        <source>Připojit VNC 3</source>
        <translation>Connect VNC 3</translation>
    </message>
    <message>
        <source>Připojit VNC 4</source>
        <translation>Connect VNC 4</translation>
    </message>
    <message>
        <source>Připojit VNC 5</source>
        <translation>Connect VNC 5</translation>
    </message>
    <message>
        <source>Připojit VNC 6</source>
        <translation>Connect VNC 6</translation>
    </message>
    <message>
        <source>Připojit TV 1</source>
        <translation>Connect TV 1</translation>
    </message>
    <message>
        <source>Připojit TV 2</source>
        <translation>Connect TV 2</translation>
    </message>
    <message>
        <source>Rychlost</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>Lan</source>
        <translation>LAN</translation>
    </message>
    <message>
        <source>Medium</source>
        <translation>Medium</translation>
    </message>
    <message>
        <source>Modem</source>
        <translation>Modem</translation>
    </message>
    <message>
        <source>Vzdálený přístup</source>
        <translation>Remote access</translation>
    </message>
    <message>
        <source>Opakovač VNC není nastaven, prohlížeč VNC se nespustí.</source>
        <translation>The VNC repeater is not set up; the VNC viewer is not started.</translation>
    </message>
    <message>
        <source>V nastavení programu chybí klíč %1 (host nebo host:port).</source>
        <translation>The program&apos;s settings lack the key %1 (host or host:port).</translation>
    </message>
    <message>
        <source>Připojení se nepodařilo zaznamenat, prohlížeč VNC se nespustí.</source>
        <translation>The connection could not be recorded; the VNC viewer is not started.</translation>
    </message>
    <message>
        <source>Chyba:</source>
        <translation>Error:</translation>
    </message>
    <message>
        <source>Program se nepodařilo spustit:</source>
        <translation>The program could not be started:</translation>
    </message>
    <message>
        <source>Záznamy opakovače se nepodařilo načíst.</source>
        <translation>The repeater&apos;s records could not be read.</translation>
    </message>
    <message>
        <source>Server pro generované ID není nastaven.</source>
        <translation>The server for generated IDs is not set up.</translation>
    </message>
    <message>
        <source>V nastavení programu chybí klíč %1 (host serveru aktualizací) nebo nejde o platnou adresu.</source>
        <translation>The program&apos;s settings lack the key %1 (host of the update server), or it is not a valid address.</translation>
    </message>
    <message>
        <source>Odpověď serveru je neúplná.</source>
        <translation>The server&apos;s answer is incomplete.</translation>
    </message>
    <message>
        <source>Server neposlal žádné ID.</source>
        <translation>The server sent no ID.</translation>
    </message>
    <message>
        <source>Generované ID se nepodařilo získat z %1.</source>
        <translation>The generated ID could not be obtained from %1.</translation>
    </message>
    <message>
        <source>Generované ID</source>
        <translation>Generated ID</translation>
    </message>
</context>
<context>
    <name>Report</name>
    <message>
        <source>ZRN</source>
        <translation>ZRN</translation>
    </message>
    <message>
        <source>Chyba: údaje nelze načíst.</source>
        <translation>Error: the data cannot be read.</translation>
    </message>
    <message>
        <source>Chyba:</source>
        <translation>Error:</translation>
    </message>
    <message>
        <source>Chyba SQL:</source>
        <translation>SQL error:</translation>
    </message>
    <message>
        <source>Otázka</source>
        <translation>Question</translation>
    </message>
</context>
<context>
    <name>Reports</name>
    <message>
        <source>Leden </source>
        <translation>January </translation>
    </message>
    <message>
        <source>Únor </source>
        <translation>February </translation>
    </message>
    <message>
        <source>Březen </source>
        <translation>March </translation>
    </message>
    <message>
        <source>Duben </source>
        <translation>April </translation>
    </message>
    <message>
        <source>Květen </source>
        <translation>May </translation>
    </message>
    <message>
        <source>Červen </source>
        <translation>June </translation>
    </message>
    <message>
        <source>Červenec </source>
        <translation>July </translation>
    </message>
    <message>
        <source>Srpen </source>
        <translation>August </translation>
    </message>
    <message>
        <source>Září </source>
        <translation>September </translation>
    </message>
    <message>
        <source>Říjen </source>
        <translation>October </translation>
    </message>
    <message>
        <source>Listopad </source>
        <translation>November </translation>
    </message>
    <message>
        <source>Prosinec </source>
        <translation>December </translation>
    </message>
    <message>
        <source>Vítejte v evidenčním systému</source>
        <translation>Welcome to the register</translation>
    </message>
    <message>
        <source>Vyberte sestavu...</source>
        <translation>Choose a report...</translation>
    </message>
    <message>
        <source>&lt;h2&gt;1. Statistiky Tellmarku a Tarva&lt;/h2&gt;&lt;br&gt;&lt;br&gt;</source>
        <translation>&lt;h2&gt;1. Tellmark and Tarvo statistics&lt;/h2&gt;&lt;br&gt;&lt;br&gt;</translation>
    </message>
    <message>
        <source>&lt;tr&gt;&lt;th&gt;&lt;/th&gt;&lt;th width=&apos;150&apos;&gt;Počet&lt;/th&gt;&lt;/tr&gt;</source>
        <translation>&lt;tr&gt;&lt;th&gt;&lt;/th&gt;&lt;th width=&apos;150&apos;&gt;Count&lt;/th&gt;&lt;/tr&gt;</translation>
    </message>
    <message>
        <source>Tab 1.: Celkové počty přes střediska</source>
        <translation>Tab 1.: Totals over centres</translation>
    </message>
    <message>
        <source>Počet licencí 1-9999, Molvane</source>
        <translation>Licences 1-9999, Molvane</translation>
    </message>
    <message>
        <source>Počet licencí 10000-39999, Molvane bez technologie</source>
        <translation>Licences 10000-39999, Molvane without technology</translation>
    </message>
    <message>
        <source>Počet licencí 40000-49999, Tarvo</source>
        <translation>Licences 40000-49999, Tarvo</translation>
    </message>
    <message>
        <source>Suma</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>Tab 2.: Celkové počty přes podniky</source>
        <translation>Tab 2.: Totals over enterprises</translation>
    </message>
    <message>
        <source>Uzavřených smluv</source>
        <translation>Contracts signed</translation>
    </message>
    <message>
        <source>Celkem podniků se středisky</source>
        <translation>Enterprises with centres in total</translation>
    </message>
    <message>
        <source>Tab 3.: Počty uzavřených smluv za posledních 12 měsíců</source>
        <translation>Tab 3.: Contracts signed in the last 12 months</translation>
    </message>
    <message>
        <source>&lt;tr&gt;&lt;th&gt;Období&lt;/th&gt;&lt;th width=&apos;150&apos;&gt;Molvane&lt;/th&gt;&lt;/tr&gt;</source>
        <translation>&lt;tr&gt;&lt;th&gt;Period&lt;/th&gt;&lt;th width=&apos;150&apos;&gt;Molvane&lt;/th&gt;&lt;/tr&gt;</translation>
    </message>
    <message>
        <source>Zahraniční obchod</source>
        <translation>Foreign trade</translation>
    </message>
    <message>
        <source>Polsko</source>
        <translation>Poland</translation>
    </message>
    <message>
        <source>&lt;tr&gt;&lt;th colspan=7&gt;&lt;/th&gt;&lt;th colspan=2&gt;EO&lt;/th&gt;&lt;th colspan=5&gt;ZRN&lt;/th&gt;&lt;/tr&gt;&lt;tr&gt;&lt;th&gt;#&lt;/th&gt;&lt;th&gt;Podnik&lt;/th&gt;&lt;th&gt;Středisek&lt;/th&gt;&lt;th&gt;Smlouva&lt;/th&gt;&lt;th&gt;Poznámka&lt;/th&gt;&lt;th&gt;Podepsáno&lt;/th&gt;&lt;th&gt;Částka&lt;/th&gt;&lt;th&gt;Skot ks&lt;/th&gt;&lt;th&gt;Dojnice ks&lt;/th&gt;&lt;th&gt;Aktualizovano&lt;/th&gt;&lt;th&gt;Skot ks&lt;/th&gt;&lt;th&gt;Dojnice ks&lt;/th&gt;&lt;th&gt;Obojky ks&lt;/th&gt;&lt;th&gt;Pedometry ks&lt;/th&gt;&lt;/tr&gt;</source>
        <translation>&lt;tr&gt;&lt;th colspan=7&gt;&lt;/th&gt;&lt;th colspan=2&gt;EO&lt;/th&gt;&lt;th colspan=5&gt;ZRN&lt;/th&gt;&lt;/tr&gt;&lt;tr&gt;&lt;th&gt;#&lt;/th&gt;&lt;th&gt;Enterprise&lt;/th&gt;&lt;th&gt;Centres&lt;/th&gt;&lt;th&gt;Contract&lt;/th&gt;&lt;th&gt;Note&lt;/th&gt;&lt;th&gt;Signed&lt;/th&gt;&lt;th&gt;Amount&lt;/th&gt;&lt;th&gt;Cattle&lt;/th&gt;&lt;th&gt;Dairy cows&lt;/th&gt;&lt;th&gt;Updated&lt;/th&gt;&lt;th&gt;Cattle&lt;/th&gt;&lt;th&gt;Dairy cows&lt;/th&gt;&lt;th&gt;Collars&lt;/th&gt;&lt;th&gt;Pedometers&lt;/th&gt;&lt;/tr&gt;</translation>
    </message>
    <message>
        <source>Tellmark - ekonomická tabulka</source>
        <translation>Tellmark - economic table</translation>
    </message>
    <message>
        <source>Molvane - souhrn</source>
        <translation>Molvane - summary</translation>
    </message>
    <message>
        <source>Evidenční systém Tellmark</source>
        <translation>Tellmark register</translation>
    </message>
    <message>
        <source>Tab 1.: Celkový přehled po střediscích</source>
        <translation>Tab 1.: Overview by centre</translation>
    </message>
    <message>
        <source>&lt;tr&gt;&lt;th&gt;Licenční číslo&lt;/th&gt;&lt;th&gt;Podnik&lt;/th&gt;&lt;th&gt;Středisko&lt;/th&gt;&lt;/tr&gt;</source>
        <translation>&lt;tr&gt;&lt;th&gt;Licence number&lt;/th&gt;&lt;th&gt;Enterprise&lt;/th&gt;&lt;th&gt;Centre&lt;/th&gt;&lt;/tr&gt;</translation>
    </message>
    <message>
        <source>Aktualizace Tellmark</source>
        <translation>Tellmark updates</translation>
    </message>
    <message>
        <source>&lt;tr&gt;&lt;th&gt;Licenční číslo&lt;/th&gt;&lt;th&gt;Podnik&lt;/th&gt;&lt;th&gt;Verze programu&lt;/th&gt;&lt;th&gt;Aktualizováno&lt;/th&gt;&lt;/tr&gt;</source>
        <translation>&lt;tr&gt;&lt;th&gt;Licence number&lt;/th&gt;&lt;th&gt;Enterprise&lt;/th&gt;&lt;th&gt;Program version&lt;/th&gt;&lt;th&gt;Updated&lt;/th&gt;&lt;/tr&gt;</translation>
    </message>
    <message>
        <source>Tab 1.: Celkový přehled VNC</source>
        <translation>Tab 1.: VNC overview</translation>
    </message>
    <message>
        <source> k převodu</source>
        <translation> to transfer</translation>
    </message>
    <message>
        <source>Tab %1.: Celkový přehled VNC%2 připojených k serveru </source>
        <translation>Tab %1.: Overview of VNC%2 connected to the server </translation>
    </message>
    <message>
        <source>&lt;tr&gt;&lt;th&gt;Středisko&lt;/th&gt;&lt;th&gt;licence&lt;/th&gt;&lt;th&gt;vnc</source>
        <translation>&lt;tr&gt;&lt;th&gt;Centre&lt;/th&gt;&lt;th&gt;licence&lt;/th&gt;&lt;th&gt;vnc</translation>
    </message>
</context>
<context>
    <name>SelfUpdate</name>
    <message>
        <source>Chyba stahování souboru.</source>
        <translation>Error downloading the file.</translation>
    </message>
    <message>
        <source>Chyba vytváření souboru.</source>
        <translation>Error creating the file.</translation>
    </message>
    <message>
        <source>Chyba vytváření souboru bat.</source>
        <translation>Error creating the bat file.</translation>
    </message>
    <message>
        <source>Chyba vytváření souboru upgrade.sh.</source>
        <translation>Error creating the file upgrade.sh.</translation>
    </message>
    <message>
        <source>Stažený soubor není platný archiv ZIP.</source>
        <translation>The downloaded file is not a valid ZIP archive.</translation>
    </message>
    <message>
        <source>Stažený balíček neobsahuje program pro tento systém.</source>
        <translation>The downloaded package holds no program for this system.</translation>
    </message>
    <message>
        <source>Aktualizaci nelze spustit.</source>
        <translation>The update cannot be started.</translation>
    </message>
    <message>
        <source>Program unzip nelze spustit, aktualizace se neprovede.</source>
        <translation>The program unzip cannot be started; the update is not made.</translation>
    </message>
    <message>
        <source>Nová verze se nestáhne: odkaz nepoužívá HTTPS a služba neposlala kontrolní součet SHA-256.</source>
        <translation>The new version is not downloaded: the link does not use HTTPS and the service sent no SHA-256 checksum.</translation>
    </message>
    <message>
        <source>Stažený soubor neodpovídá kontrolnímu součtu, který poslala služba.</source>
        <translation>The downloaded file does not match the checksum the service sent.</translation>
    </message>
    <message>
        <source>Aktualizace se nezdařila.</source>
        <translation>The update failed.</translation>
    </message>
    <message>
        <source>Poslední aktualizace programu se nezdařila.</source>
        <translation>The last update of the program failed.</translation>
    </message>
    <message>
        <source>Stahování nové verze ...</source>
        <translation>Downloading the new version ...</translation>
    </message>
</context>
<context>
    <name>ServiceImports</name>
    <message>
        <source>Zápis se nepodařilo dokončit, nic nebylo uloženo. %1</source>
        <translation>The write could not be completed; nothing was saved. %1</translation>
    </message>
    <message>
        <source>Soubor %1 neobsahuje žádná data.</source>
        <translation>The file %1 holds no data.</translation>
    </message>
    <message>
        <source>Úloha skončila chybou: %1</source>
        <translation>The job ended with an error: %1</translation>
    </message>
    <message>
        <source>Nebyl vybrán žádný soubor.</source>
        <translation>No file was chosen.</translation>
    </message>
    <message>
        <source>Soubor %1 nelze otevřít: %2</source>
        <translation>The file %1 cannot be opened: %2</translation>
    </message>
    <message>
        <source>Soubor %1 nelze přečíst: %2</source>
        <translation>The file %1 cannot be read: %2</translation>
    </message>
    <message>
        <source>Soubor %1 je větší než %2 MB, nejde o očekávaný soubor CSV.</source>
        <translation>The file %1 is larger than %2 MB; it is not the expected CSV file.</translation>
    </message>
    <message>
        <source>Soubor %1 není textový soubor CSV.</source>
        <translation>The file %1 is not a CSV text file.</translation>
    </message>
    <message>
        <source>Soubor %1 není v kódování UTF-8 a kódování Windows-1250 není k dispozici.</source>
        <translation>The file %1 is not in UTF-8 and the Windows-1250 encoding is not available.</translation>
    </message>
    <message>
        <source>Údaje KU zapsány do středisek: %1. Stájí v datech KU: %2, z toho bez střediska v registru: %3; řádků bez čísla stáje: %4.</source>
        <translation>Milk recording data written to centres: %1. Farms in the milk recording data: %2, of them without a centre in the register: %3; lines without a farm number: %4.</translation>
    </message>
    <message>
        <source>Stáj %1: CH6 „%2“ není celé číslo větší než 0, nezapsáno.</source>
        <translation>Farm %1: CH6 “%2” is not a whole number greater than 0; not written.</translation>
    </message>
    <message>
        <source>Podnik %1 (%2): CH6 %3</source>
        <translation>Enterprise %1 (%2): CH6 %3</translation>
    </message>
    <message>
        <source>CH6 zapsáno podnikům: %1. Řádků souboru použito: %2, s méně než 14 poli vynecháno: %3; ponechaných existujících CH6 (řádků středisek): %4.</source>
        <translation>CH6 written to enterprises: %1. File lines used: %2, skipped with fewer than 14 fields: %3; existing CH6 kept (centre lines): %4.</translation>
    </message>
    <message>
        <source>Událostí s jiným dnem založení než začátku: %1.</source>
        <translation>Events created on another day than their start: %1.</translation>
    </message>
    <message>
        <source>První řádek souboru nemá sloupce „kraj“ a „staj“.</source>
        <translation>The first line of the file has no columns “kraj” and “staj”.</translation>
    </message>
    <message>
        <source>Shod se středisky: %1. Vynechaných řádků (jiný počet polí nebo bez stáje): %2.</source>
        <translation>Matches with centres: %1. Lines skipped (another number of fields or no farm): %2.</translation>
    </message>
    <message>
        <source>První řádek souboru nemá sloupec „IČO“.</source>
        <translation>The first line of the file has no column “IČO”.</translation>
    </message>
    <message>
        <source>Soubor nemá sloupec „%1“, ten se neporovnává.</source>
        <translation>The file has no column “%1”; it is not compared.</translation>
    </message>
    <message>
        <source>Řádek %1 (%2): chybí IČO.</source>
        <translation>Line %1 (%2): the company ID is missing.</translation>
    </message>
    <message>
        <source>Řádek %1: odpovědná osoba „%2“ není mezi zaměstnanci.</source>
        <translation>Line %1: the responsible person “%2” is not on the staff.</translation>
    </message>
    <message>
        <source>Řádek %1: poslední kontakt „%2“ není datum ve tvaru dd.MM.rrrr.</source>
        <translation>Line %1: the last contact “%2” is not a date in the form dd.MM.yyyy.</translation>
    </message>
    <message>
        <source>Řádek %1: IČO %2 už je na řádku %3, platí tento řádek.</source>
        <translation>Line %1: company ID %2 is already on line %3; this line applies.</translation>
    </message>
    <message>
        <source>IČO %1 (%2, řádek %3)</source>
        <translation>Company ID %1 (%2, line %3)</translation>
    </message>
    <message>
        <source>%1: počet dojnic „%2“ není číslo.</source>
        <translation>%1: the number of dairy cows “%2” is not a number.</translation>
    </message>
    <message>
        <source>%1: dojnic v souboru %2, v registru (podnik %3) %4.</source>
        <translation>%1: dairy cows in the file %2, in the register (enterprise %3) %4.</translation>
    </message>
    <message>
        <source>%1: stát v souboru %2, v registru (podnik %3) %4.</source>
        <translation>%1: country in the file %2, in the register (enterprise %3) %4.</translation>
    </message>
    <message>
        <source>%1: v registru není.</source>
        <translation>%1: not in the register.</translation>
    </message>
    <message>
        <source>Podniků v souboru: %1, v registru nalezeno: %2, nenalezeno: %3; rozdílný počet dojnic: %4, rozdílný stát: %5. Nic se neukládá.</source>
        <translation>Enterprises in the file: %1, found in the register: %2, not found: %3; different number of dairy cows: %4, different country: %5. Nothing is saved.</translation>
    </message>
    <message>
        <source>Úloha byla zrušena, nic nebylo uloženo.</source>
        <translation>The job was cancelled; nothing was saved.</translation>
    </message>
    <message>
        <source>Stáj %1: %2</source>
        <translation>Farm %1: %2</translation>
    </message>
    <message>
        <source>Podnik %1 (%2): %3</source>
        <translation>Enterprise %1 (%2): %3</translation>
    </message>
</context>
<context>
    <name>SestavyTab</name>
    <message>
        <source>Domů</source>
        <translation>Home</translation>
    </message>
    <message>
        <source>Podniky</source>
        <translation>Enterprises</translation>
    </message>
    <message>
        <source>Střediska</source>
        <translation>Centres</translation>
    </message>
    <message>
        <source>Aktualizace</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>VNC</source>
        <translation>VNC</translation>
    </message>
    <message>
        <source>tisk</source>
        <translation>print</translation>
    </message>
    <message>
        <source>Sestavy</source>
        <translation>Reports</translation>
    </message>
    <message>
        <source>Sestavu nelze zapsat do dočasného souboru %1: %2</source>
        <translation>The report cannot be written to the temporary file %1: %2</translation>
    </message>
    <message>
        <source>Sestavu se nepodařilo úplně načíst z databáze:
%1</source>
        <translation>The report could not be read from the database completely:
%1</translation>
    </message>
    <message>
        <source>Tisk</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Sestavu se nepodařilo vytisknout. Zkontrolujte tiskárnu, případně cílový soubor, a zkuste to znovu.</source>
        <translation>The report could not be printed. Check the printer or the target file and try again.</translation>
    </message>
    <message>
        <source>Tiskárnu se nepodařilo otevřít.</source>
        <translation>The printer could not be opened.</translation>
    </message>
    <message>
        <source>Sestava se načítá ...</source>
        <translation>Loading the report ...</translation>
    </message>
</context>
<context>
    <name>Specifikace</name>
    <message>
        <source>Druh střediska</source>
        <translation>Kind of centre</translation>
    </message>
    <message>
        <source>Technologiký SW</source>
        <translation>Technology SW</translation>
    </message>
    <message>
        <source>Dojírna</source>
        <translation>Milking parlour</translation>
    </message>
    <message>
        <source>Spuštění</source>
        <translation>Start-up</translation>
    </message>
    <message>
        <source>Typ</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Milkmetr</source>
        <translation>Milk meter</translation>
    </message>
    <message>
        <source>Počet stání</source>
        <translation>Stalls</translation>
    </message>
    <message>
        <source>Servis dojení</source>
        <translation>Milking service</translation>
    </message>
    <message>
        <source>Identifikace</source>
        <translation>Identification</translation>
    </message>
    <message>
        <source>Pohybová aktivita</source>
        <translation>Activity monitoring</translation>
    </message>
    <message>
        <source>Vysílací modul</source>
        <translation>Transmitter module</translation>
    </message>
    <message>
        <source>Selekční branka</source>
        <translation>Selection gate</translation>
    </message>
    <message>
        <source>AKB</source>
        <translation>AKB</translation>
    </message>
    <message>
        <source>ASŘ</source>
        <translation>ACS</translation>
    </message>
    <message>
        <source>KU</source>
        <translation>MR</translation>
    </message>
    <message>
        <source>Reprodukce / inseminace</source>
        <translation>Reproduction / insemination</translation>
    </message>
    <message>
        <source>Výživa</source>
        <translation>Nutrition</translation>
    </message>
    <message>
        <source>Doktor</source>
        <translation>Veterinarian</translation>
    </message>
    <message>
        <source>Paznehtáři</source>
        <translation>Hoof trimmers</translation>
    </message>
    <message>
        <source>Mlékárna</source>
        <translation>Dairy</translation>
    </message>
    <message>
        <source>Vážení</source>
        <translation>Weighing</translation>
    </message>
    <message>
        <source>Krmný vůz</source>
        <translation>Feed wagon</translation>
    </message>
    <message>
        <source>Chlazení</source>
        <translation>Cooling</translation>
    </message>
    <message>
        <source>Typ tanku</source>
        <translation>Tank type</translation>
    </message>
</context>
<context>
    <name>SpecifikacePage</name>
    <message>
        <source>Specifikace</source>
        <translation>Technology</translation>
    </message>
    <message>
        <source>Uložit</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Druh střediska</source>
        <translation>Kind of centre</translation>
    </message>
    <message>
        <source>Technologiký SW</source>
        <translation>Technology SW</translation>
    </message>
    <message>
        <source>Dojírna</source>
        <translation>Milking parlour</translation>
    </message>
    <message>
        <source>Spuštění</source>
        <translation>Start-up</translation>
    </message>
    <message>
        <source>Typ</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Milkmetr</source>
        <translation>Milk meter</translation>
    </message>
    <message>
        <source>Počet stání</source>
        <translation>Stalls</translation>
    </message>
    <message>
        <source>Servis dojení</source>
        <translation>Milking service</translation>
    </message>
    <message>
        <source>Identifikace</source>
        <translation>Identification</translation>
    </message>
    <message>
        <source>Pohybová aktivita</source>
        <translation>Activity monitoring</translation>
    </message>
    <message>
        <source>Vysílací modul</source>
        <translation>Transmitter module</translation>
    </message>
    <message>
        <source>Selekční branka</source>
        <translation>Selection gate</translation>
    </message>
    <message>
        <source>AKB</source>
        <translation>AKB</translation>
    </message>
    <message>
        <source>ASŘ</source>
        <translation>ACS</translation>
    </message>
    <message>
        <source>KU</source>
        <translation>MR</translation>
    </message>
    <message>
        <source>Reprodukce / inseminace</source>
        <translation>Reproduction / insemination</translation>
    </message>
    <message>
        <source>Výživa</source>
        <translation>Nutrition</translation>
    </message>
    <message>
        <source>Doktor</source>
        <translation>Veterinarian</translation>
    </message>
    <message>
        <source>Paznehtáři</source>
        <translation>Hoof trimmers</translation>
    </message>
    <message>
        <source>Mlékárna</source>
        <translation>Dairy</translation>
    </message>
    <message>
        <source>Vážení</source>
        <translation>Weighing</translation>
    </message>
    <message>
        <source>Krmný vůz</source>
        <translation>Feed wagon</translation>
    </message>
    <message>
        <source>Chlazení</source>
        <translation>Cooling</translation>
    </message>
    <message>
        <source>Typ tanku</source>
        <translation>Tank type</translation>
    </message>
    <message>
        <source>propojení</source>
        <translation>connection</translation>
    </message>
    <message>
        <source>umístění</source>
        <translation>placement</translation>
    </message>
    <message>
        <source>výrobce vah</source>
        <translation>scale maker</translation>
    </message>
    <message>
        <source>software</source>
        <translation>software</translation>
    </message>
    <message>
        <source> (poznámka)</source>
        <translation> (note)</translation>
    </message>
    <message>
        <source>Poznámky specifikace</source>
        <translation>Technology notes</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>Databázi %1 nelze založit: %2 %3</source>
        <translation>The database %1 cannot be created: %2 %3</translation>
    </message>
    <message>
        <source>schéma nelze vytvořit:</source>
        <translation>the schema cannot be created:</translation>
    </message>
    <message>
        <source>ukázková data nelze vložit:</source>
        <translation>the demo data cannot be inserted:</translation>
    </message>
    <message>
        <source>V databázi %1 zatím není žádný uživatel.

Prvního uživatele přidejte příkazem (heslo se zadá na vstupu):
    zrnctl user add LOGIN --admin 1 --os 2 --udalosti 2</source>
        <translation>The database %1 has no user yet.

Add the first user with the command (the password is read from the input):
    zrnctl user add LOGIN --admin 1 --os 2 --udalosti 2</translation>
    </message>
</context>
<context>
    <name>StrediskoPage</name>
    <message>
        <source>Středisko</source>
        <translation>Centre</translation>
    </message>
    <message>
        <source>Upravit</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Smazat</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Soubory</source>
        <translation>Files</translation>
    </message>
    <message>
        <source>Uložit</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Holding</source>
        <translation>Holding</translation>
    </message>
    <message>
        <source>Podnik</source>
        <translation>Enterprise</translation>
    </message>
    <message>
        <source>IČO specifické pro středisko</source>
        <translation>Centre&apos;s own company ID</translation>
    </message>
    <message>
        <source>Kontakt</source>
        <translation>Contact</translation>
    </message>
    <message>
        <source>Telefon</source>
        <translation>Phone</translation>
    </message>
    <message>
        <source>Email</source>
        <translation>E-mail</translation>
    </message>
    <message>
        <source>Hospodářství</source>
        <translation>Farm</translation>
    </message>
    <message>
        <source>DB UUID</source>
        <translation>DB UUID</translation>
    </message>
    <message>
        <source>Licence</source>
        <translation>Licence</translation>
    </message>
    <message>
        <source>Cloud ID</source>
        <translation>Cloud ID</translation>
    </message>
    <message>
        <source>Verze</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Počet spuštění</source>
        <translation>Starts</translation>
    </message>
    <message>
        <source>Počet zvířat / krav / obojků</source>
        <translation>Animals / cows / collars</translation>
    </message>
    <message>
        <source>Aktualizace</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>Spuštění Tellmark / 2. Školení</source>
        <translation>Tellmark start-up / 2nd training</translation>
    </message>
    <message>
        <source>Datum KU / počet dojnic / stupeň kontroly</source>
        <translation>Milk recording date / dairy cows / control level</translation>
    </message>
    <message>
        <source>O středisku</source>
        <translation>About the centre</translation>
    </message>
    <message>
        <source>Spuštění Tellmark</source>
        <translation>Tellmark start-up</translation>
    </message>
    <message>
        <source>2. Školení</source>
        <translation>2nd training</translation>
    </message>
    <message>
        <source>Aktualizace omezena (1 = ano)</source>
        <translation>Updates restricted (1 = yes)</translation>
    </message>
    <message>
        <source>Poznámky střediska</source>
        <translation>Centre notes</translation>
    </message>
</context>
<context>
    <name>TailButtonsDelegate</name>
    <message>
        <source>Otevřít přílohu</source>
        <translation>Open attachment</translation>
    </message>
    <message>
        <source>Uložit přílohu</source>
        <translation>Save attachment</translation>
    </message>
    <message>
        <source>Smazat přílohu</source>
        <translation>Delete attachment</translation>
    </message>
</context>
<context>
    <name>UdalostiPage</name>
    <message>
        <source>Přidat</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Přidat odpověď</source>
        <translation>Add reply</translation>
    </message>
    <message>
        <source>Smazat</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Kategorie</source>
        <translation>Category</translation>
    </message>
    <message>
        <source>Hledat</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>background-color: rgb(255, 255, 191);</source>
        <translation>background-color: rgb(255, 255, 191);</translation>
    </message>
    <message>
        <source>Události</source>
        <translation>Events</translation>
    </message>
    <message>
        <source>−</source>
        <translation>−</translation>
    </message>
    <message>
        <source>Sbalit vše</source>
        <translation>Collapse all</translation>
    </message>
    <message>
        <source>+</source>
        <translation>+</translation>
    </message>
    <message>
        <source>Rozbalit vše</source>
        <translation>Expand all</translation>
    </message>
    <message>
        <source>Export do kalendáře</source>
        <translation>Export to calendar</translation>
    </message>
    <message>
        <source>Export do kalendáře: zobrazené události s datem do souboru iCalendar (.ics)</source>
        <translation>Export to calendar: the shown events with a date to an iCalendar file (.ics)</translation>
    </message>
</context>
<context>
    <name>UdalostiTab</name>
    <message>
        <source>Přidat</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Přidat odpověď</source>
        <translation>Add reply</translation>
    </message>
    <message>
        <source>Smazat</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Obnovit</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>Nedokončené</source>
        <translation>Unfinished</translation>
    </message>
    <message>
        <source>Kategorie</source>
        <translation>Category</translation>
    </message>
    <message>
        <source>OO</source>
        <translation>RP</translation>
    </message>
    <message>
        <source>Hledat</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>background-color: rgb(255, 255, 191);</source>
        <translation>background-color: rgb(255, 255, 191);</translation>
    </message>
    <message>
        <source>−</source>
        <translation>−</translation>
    </message>
    <message>
        <source>Sbalit vše</source>
        <translation>Collapse all</translation>
    </message>
    <message>
        <source>+</source>
        <translation>+</translation>
    </message>
    <message>
        <source>Rozbalit vše</source>
        <translation>Expand all</translation>
    </message>
    <message>
        <source>Export do kalendáře</source>
        <translation>Export to calendar</translation>
    </message>
    <message>
        <source>Export do kalendáře: zobrazené události s datem do souboru iCalendar (.ics)</source>
        <translation>Export to calendar: the shown events with a date to an iCalendar file (.ics)</translation>
    </message>
</context>
<context>
    <name>UserStore</name>
    <message>
        <source>Chyba:</source>
        <translation>Error:</translation>
    </message>
    <message>
        <source>Přihlašovací jméno &quot;%1&quot; už má jiný uživatel (velikost písmen se nerozlišuje).</source>
        <translation>Another user already has the login name &quot;%1&quot; (letter case does not matter).</translation>
    </message>
    <message>
        <source>Uživatel</source>
        <translation>User</translation>
    </message>
    <message>
        <source>Heslo</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>Vzdálený přístup</source>
        <translation>Remote access</translation>
    </message>
    <message>
        <source>Admin</source>
        <translation>Admin</translation>
    </message>
    <message>
        <source>Minimal</source>
        <translation>Minimal</translation>
    </message>
    <message>
        <source>ACLS</source>
        <translation>ACLS</translation>
    </message>
    <message>
        <source>Spravovat organizační strukturu</source>
        <translation>Manage the organisation structure</translation>
    </message>
    <message>
        <source>Omezit region</source>
        <translation>Restrict region</translation>
    </message>
    <message>
        <source>Sestavy</source>
        <translation>Reports</translation>
    </message>
    <message>
        <source>Přístupy</source>
        <translation>Portal access</translation>
    </message>
    <message>
        <source>Události</source>
        <translation>Events</translation>
    </message>
    <message>
        <source>Fakturace</source>
        <translation>Invoicing</translation>
    </message>
    <message>
        <source>Control Panel</source>
        <translation>Control Panel</translation>
    </message>
    <message>
        <source>Středisko, technologické údáje RO</source>
        <translation>Centre, technology data read-only</translation>
    </message>
    <message>
        <source>Přihlašovací jméno &quot;%1&quot; už má jiný uživatel CP (velikost písmen se nerozlišuje).</source>
        <translation>Another CP user already has the login name &quot;%1&quot; (letter case does not matter).</translation>
    </message>
    <message>
        <source>Poznámka</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>IDList</source>
        <translation>IDList</translation>
    </message>
</context>
<context>
    <name>Users</name>
    <message>
        <source>Přihlašovací jméno nesmí být prázdné.</source>
        <translation>The login name must not be empty.</translation>
    </message>
    <message>
        <source>Uživatel &quot;%1&quot; už existuje.</source>
        <translation>The user &quot;%1&quot; already exists.</translation>
    </message>
    <message>
        <source>Heslo nelze zašifrovat (bcrypt).</source>
        <translation>The password cannot be encrypted (bcrypt).</translation>
    </message>
    <message>
        <source>Uživatel &quot;%1&quot; neexistuje.</source>
        <translation>The user &quot;%1&quot; does not exist.</translation>
    </message>
</context>
<context>
    <name>UsersTab</name>
    <message>
        <source>Přidat</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Opravit</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Smazat</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Import podniků</source>
        <translation>Import enterprises</translation>
    </message>
    <message>
        <source>Import údajů KU</source>
        <translation>Import milk recording data</translation>
    </message>
    <message>
        <source>Import CH6 z kjjt32.csv</source>
        <translation>Import CH6 from kjjt32.csv</translation>
    </message>
    <message>
        <source>ARES kontrola</source>
        <translation>ARES check</translation>
    </message>
    <message>
        <source>Plemko - uživatelé</source>
        <translation>Plemko - users</translation>
    </message>
    <message>
        <source>Přidání uživatele</source>
        <translation>Add user</translation>
    </message>
    <message>
        <source>Vyberte v seznamu uživatele, kterého chcete opravit.</source>
        <translation>Choose the user you want to edit in the list.</translation>
    </message>
    <message>
        <source>Vybraný uživatel už neexistuje.</source>
        <translation>The chosen user no longer exists.</translation>
    </message>
    <message>
        <source>Oprava uživatele</source>
        <translation>Edit user</translation>
    </message>
    <message>
        <source>Uživatel je jediný s právem Admin; bez něj by uživatele nemohl spravovat nikdo.</source>
        <translation>The user is the only one with the Admin right; without it nobody could manage the users.</translation>
    </message>
    <message>
        <source>Vyberte v seznamu uživatele, kterého chcete smazat.</source>
        <translation>Choose the user you want to delete in the list.</translation>
    </message>
    <message>
        <source>Uživatele nelze smazat: je jediný s právem Admin.</source>
        <translation>The user cannot be deleted: it is the only one with the Admin right.</translation>
    </message>
    <message>
        <source>Vybraný uživatel &quot;%1&quot; jste vy. Po smazání se už nepřihlásíte. Přejete si ho přesto smazat?</source>
        <translation>The chosen user &quot;%1&quot; is you. After deleting it you cannot log in any more. Do you want to delete it anyway?</translation>
    </message>
    <message>
        <source>Přejete si smazat vybraného uživatele?</source>
        <translation>Do you want to delete the chosen user?</translation>
    </message>
    <message>
        <source>CSV-Files (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>Hotovo.</source>
        <translation>Done.</translation>
    </message>
    <message>
        <source>Import podniků - výběr souboru</source>
        <translation>Import enterprises - choose a file</translation>
    </message>
    <message>
        <source>Import CH6 - výběr souboru</source>
        <translation>Import CH6 - choose a file</translation>
    </message>
    <message>
        <source>Plemko porovnání podniků - výběr souboru</source>
        <translation>Plemko enterprise comparison - choose a file</translation>
    </message>
    <message>
        <source>Uživatel</source>
        <translation>User</translation>
    </message>
    <message>
        <source>Heslo</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>Vzdálený přístup</source>
        <translation>Remote access</translation>
    </message>
    <message>
        <source>Sestavy</source>
        <translation>Reports</translation>
    </message>
    <message>
        <source>Události</source>
        <translation>Events</translation>
    </message>
    <message>
        <source>Fakturace</source>
        <translation>Invoicing</translation>
    </message>
    <message>
        <source>Stř. te. ro</source>
        <translation>Ctr. tech. RO</translation>
    </message>
    <message>
        <source>Přístupy</source>
        <translation>Portal access</translation>
    </message>
</context>
<context>
    <name>WindowShortcuts</name>
    <message>
        <source>Rychlý filtr</source>
        <translation>Quick filter</translation>
    </message>
    <message>
        <source>Další a předchozí řádek: %1, %2</source>
        <translation>Next and previous row: %1, %2</translation>
    </message>
</context>
<context>
    <name>WorkProgress</name>
    <message>
        <source>ZRN</source>
        <translation>ZRN</translation>
    </message>
    <message>
        <source>Zrušit</source>
        <translation>Cancel</translation>
    </message>
</context>
</TS>
