#!/usr/bin/env python3
"""Fails unless the program's manifest is well-formed and asks for what the
windows rely on. Windows refuses to start a program whose manifest does not
parse, and silently ignores a DPI setting in the wrong namespace: the program
would then be stretched, blurred, by the system.
    check-manifest.py MANIFEST"""
import sys
import xml.dom.minidom

WINDOWS_SETTINGS_2005 = "http://schemas.microsoft.com/SMI/2005/WindowsSettings"
WINDOWS_SETTINGS_2016 = "http://schemas.microsoft.com/SMI/2016/WindowsSettings"
COMPATIBILITY = "urn:schemas-microsoft-com:compatibility.v1"
SUPPORTED_OS = {
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}": "Windows 7",
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}": "Windows 8",
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}": "Windows 8.1",
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}": "Windows 10 and 11",
}


def text_of(document, namespace, name):
    nodes = document.getElementsByTagNameNS(namespace, name)
    return [''.join(c.data for c in n.childNodes if c.nodeType == c.TEXT_NODE).strip() for n in nodes]


def main(path):
    try:
        document = xml.dom.minidom.parse(path)
    except Exception as error:  # any parse failure is the finding
        print(f"{path}: not well-formed: {error}")
        return 1
    problems = []
    if text_of(document, WINDOWS_SETTINGS_2016, "dpiAwareness") != ["PerMonitorV2, PerMonitor"]:
        problems.append("dpiAwareness (2016 namespace) must read \"PerMonitorV2, PerMonitor\"")
    if text_of(document, WINDOWS_SETTINGS_2005, "dpiAware") != ["true/pm"]:
        problems.append("dpiAware (2005 namespace) must read \"true/pm\" for Windows 7 to 8.1")
    listed = {n.getAttribute("Id").lower() for n in document.getElementsByTagNameNS(COMPATIBILITY, "supportedOS")}
    problems += [f"supportedOS for {name} is missing" for guid, name in SUPPORTED_OS.items() if guid not in listed]
    for problem in problems:
        print(f"{path}: {problem}")
    if not problems:
        print(f"{path}: per-monitor DPI aware, dpiAware fallback, Windows 7 to 11 listed")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
