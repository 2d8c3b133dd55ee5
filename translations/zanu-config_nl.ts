<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl_NL">
<context>
    <name>Form1</name>
    <message>
        <source>Pelvanor I / Ostrimel Config</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Config Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fixed Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minimum Span:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minimum Span</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unit of minimum span</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maximum Span:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maximum Span</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unit of maximum span</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minimum Zero:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minimum Zero</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unit of minimum zero</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Measuring Range</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zero:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zero</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unit of zero</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Changed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zero changed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Span:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Span</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unit of span</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Span changed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unit:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send unit and range</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set Current Pressure As 4 mA</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set Current Pressure As 20 mA</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Extra</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Damping:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Damping</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sec.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4-20 mA</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output direction</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>20-4 mA</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send damping and output</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mounting effect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Combo2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send mounting effect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current Simulation:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fixed Current (mA):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4.00</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fixed Current (mA)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fixed loop current simulation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output signal of transmitter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output monitoring</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loop current (mA)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mA</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Percent of range</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output signal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tag Number:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tag Number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send tag</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Progress</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Co&amp;nnect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Config</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM-&amp;settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Find transmitter…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device &amp;status…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Loop check…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Trend…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Info</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Form2</name>
    <message>
        <source>Config COM-port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use COM - Port:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>present</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>absent</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecordsCompareDialog</name>
    <message>
        <source>Compare with file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Comparison of file and transmitter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Write to transmitter…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmAbout</name>
    <message>
        <source>This application can be used for configuring the Zanu Series Pelvanor &apos;I&apos; submersible level transmitters. It will only work on Zanu transmitters.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;System Info...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>System Information Is Unavailable At This Time</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmSplash</name>
    <message>
        <source>Product picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copyright (c) 2026 Zanu Level Instruments. All rights reserved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zanu Level Instruments B.V., the Netherlands</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version %1.%2.%3</source>
        <translation>Versie %1.%2.%3</translation>
    </message>
</context>
<context>
    <name>i18n::LanguageMenu</name>
    <message>
        <source>&amp;Language</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;System language</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
