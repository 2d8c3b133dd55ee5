<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
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
    <name>Module1</name>
    <message>
        <source>Invalid selection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Passed Parameter too Large</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Passed Parameter too Small</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Too Few Databytes Received</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Transmitter Specific Command Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In Write Protect Mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set to Nearest Value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Access Restricted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Command Not Implemented</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lowerrange too high</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lowerrange too low</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upperrange too high</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upperrange too low</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>URV and LRV out of Limits</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Span too Small</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unspecified Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Applied process too high</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Applied process too low</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New LRV pushed URV over USL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unspecified Error or Wrong returned Command</source>
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
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>hart</name>
    <message>
        <source>No COM port is set — choose one under Config &gt; COM-settings.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM %1 is not a port this program can use — choose COM 1 to COM 12 under Config &gt; COM-settings.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Command %1 is not a HART command number (0 to 255); nothing was sent.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No transmitter has been identified on %1 yet, so command %2 was not sent — connect first, so that the transmitter is read and checked.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Permission denied on %1 — add your user to the dialout group (sudo usermod -aG dialout $USER), then log out and in again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>parity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>overrun</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>framing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>checksum</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>buffer overflow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the transmitter could not read our request (communication error 0x%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the serial line is gone</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the request does not fit in a HART frame (%1 data bytes)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the port could not be opened</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>checksum error in the reply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a reply with an impossible byte count</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the reply broke off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the port did not finish sending the request</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the port stopped working</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No reply from the transmitter on %1 after %2 — check that the transmitter is powered, the loop has its load resistor and the modem is connected to this port.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Garbled replies from the transmitter on %1 after %2 (%3) — check the modem connection and the loop wiring for noise.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The request could not be sent on %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>health</name>
    <message>
        <source>device malfunction</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The transmitter has found a fault in itself (sensor or electronics). Its measurement cannot be trusted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read the additional status below for details. Power the transmitter off and on; if the fault stays, replace the transmitter or send it in for repair.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>configuration changed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The configuration was changed (by this program or another master) since the flag was last cleared.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check that the configuration is the intended one, then clear the flag so that the next change shows.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cold start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The transmitter has just been powered up or reset.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing, unless it was not expected: then look for a loose wire or a supply that drops out.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>more status available</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The transmitter holds more status information than this byte shows.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read the additional status (command 48) below.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>loop current fixed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The loop current is held at a fixed value (a loop test, or a polling address other than 0). The control system does not see the level.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This program holds it: end the simulation (output signal, Abort), or finish the loop check, which releases it itself.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No simulation of this program holds it: another master (a handheld, another program&apos;s loop test) fixed it, or the transmitter answers at a polling address other than 0. Release it with &quot;Release loop current&quot; below; if it stays fixed, set the polling address to 0 with Config, Find transmitter.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>loop current saturated</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The level is outside the measuring range: the loop current stays at its lower or upper end and no longer follows the level.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check the level, and the measuring range (zero and span) against it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>secondary variable out of limits</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A variable other than the pressure (for example the temperature of the electronics) is outside what the transmitter can measure.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check the conditions where the transmitter is installed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pressure out of sensor limits</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The pressure is outside the sensor&apos;s limits: the reading is not accurate.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check that the transmitter&apos;s model suits the depth of liquid above it, and that the sensor is not blocked or damaged.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>device-specific status %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>extended device status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>operating mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>analog outputs saturated</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>analog outputs fixed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>: sensor fault</source>
        <translation type="unfinished"></translation>
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
