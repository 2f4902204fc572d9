#!/usr/bin/env python3
"""Reads the manifest of a built stub as the system does -- from the file's
own resource directory, with icoutils' wrestool -- and checks what Windows
takes from it: the common controls, administrator rights from Vista on, the
supported releases and DPI awareness, each in the namespace where Windows
looks for it, so that XP before SP3 still loads it."""
import subprocess
import sys
import xml.etree.ElementTree as ElementTree

V1 = '{urn:schemas-microsoft-com:asm.v1}'
V2 = '{urn:schemas-microsoft-com:asm.v2}'
V3 = '{urn:schemas-microsoft-com:asm.v3}'
COMPATIBILITY = '{urn:schemas-microsoft-com:compatibility.v1}'
SETTINGS = '{http://schemas.microsoft.com/SMI/2005/WindowsSettings}'
RELEASES = {
    '{e2011457-1546-43c5-a5fe-008deee3d3f0}': 'Vista',
    '{35138b9a-5d96-4fbd-8e2d-a2440225f93a}': '7',
    '{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}': '8',
    '{1f676c76-80e1-4239-95bb-83d0f6d0da78}': '8.1',
    '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}': '10 and 11',
}


def main(stub):
    extracted = subprocess.run(['wrestool', '-x', '--raw', '--type=24', '--name=1', stub],
                               capture_output=True, check=False)
    if extracted.returncode or not extracted.stdout:
        return f'{stub}: no manifest in the file\'s resources'
    try:
        root = ElementTree.fromstring(extracted.stdout)
    except ElementTree.ParseError as error:
        return f'the manifest is not well-formed XML: {error}'
    problems = []
    if root.tag != V1 + 'assembly' or root.get('manifestVersion') != '1.0':
        problems.append('the root is not a version 1.0 assembly')
    identity = root.find(f'{V1}dependency/{V1}dependentAssembly/{V1}assemblyIdentity')
    if identity is None or identity.get('name') != 'Microsoft.Windows.Common-Controls' or \
            identity.get('version') != '6.0.0.0':
        problems.append('no dependency on the common controls 6.0')
    levels = root.findall(f'{V2}trustInfo/{V2}security/{V3}requestedPrivileges/{V3}requestedExecutionLevel')
    if [level.get('level') for level in levels] != ['requireAdministrator']:
        problems.append('the execution level is not requireAdministrator')
    declared = {os.get('Id') for os in root.findall(f'{COMPATIBILITY}compatibility/{COMPATIBILITY}application/'
                                                    f'{COMPATIBILITY}supportedOS')}
    for release, name in RELEASES.items():
        if release not in declared:
            problems.append(f'Windows {name} is not declared as supported')
    aware = root.findall(f'{V3}application/{V3}windowsSettings/{SETTINGS}dpiAware')
    if [setting.text for setting in aware] != ['true']:
        problems.append('DPI awareness is not declared')
    return '\n'.join(problems) or None


if __name__ == '__main__':
    failure = main(sys.argv[1])
    if failure:
        sys.exit(failure)
    print('manifest: common controls 6.0, requireAdministrator, Vista to 11, DPI aware')
