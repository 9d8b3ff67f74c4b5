<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>LanguageMenu</name>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Sprache</translation>
    </message>
    <message>
        <source>&amp;System</source>
        <translation>&amp;Systemsprache</translation>
    </message>
    <message>
        <source>Takes effect at the next start</source>
        <translation>Gilt ab dem nächsten Start</translation>
    </message>
    <message>
        <source>The new language is used from the next start of the Programmable Timer.</source>
        <translation>Die neue Sprache gilt ab dem nächsten Start des Programmable Timer.</translation>
    </message>
</context>
</TS>
