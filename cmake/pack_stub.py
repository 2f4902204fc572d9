#!/usr/bin/env python3
"""Packs the setup stub after linking.

The code and data sections (.text, .rdata, .data) and the dialog templates
become one zlib stream in a section of its own; in the image they keep only
their place in memory (no bytes in the file), and the unpacker (the entry
point, in the unpacked .ztext and .zdata with the inflater) expands the
stream into those places at start. The import table, the icon and the
manifest stay as they are: the system reads them from the file.

Usage: pack_stub.py IMAGE   (packed in place)
"""
import struct
import sys
import zlib

PACKED_SECTIONS = (b'.text', b'.rdata', b'.data')
SIGNATURE = b'Corvel-unpack-1\0'
MAX_RANGES = 6
RT_DIALOG = 5
SCN_MEM_WRITE = 0x80000000
SCN_CNT_INITIALIZED_DATA = 0x40
SCN_MEM_READ = 0x40000000


def align(value, alignment):
    return (value + alignment - 1) // alignment * alignment


class Image:
    def __init__(self, data):
        self.data = bytearray(data)
        self.pe = struct.unpack_from('<I', data, 0x3C)[0]
        if data[self.pe:self.pe + 4] != b'PE\0\0':
            sys.exit('pack_stub: not a PE image')
        self.count = struct.unpack_from('<H', data, self.pe + 6)[0]
        optional_size = struct.unpack_from('<H', data, self.pe + 20)[0]
        self.optional = self.pe + 24
        if struct.unpack_from('<H', data, self.optional)[0] != 0x10B:
            sys.exit('pack_stub: only 32-bit images are packed')
        self.section_alignment, self.file_alignment = struct.unpack_from('<II', data, self.optional + 32)
        self.table = self.optional + optional_size
        self.sections = []
        for index in range(self.count):
            offset = self.table + 40 * index
            name = bytes(data[offset:offset + 8]).rstrip(b'\0')
            virtual_size, address, raw_size, raw_pointer = struct.unpack_from('<IIII', data, offset + 8)
            characteristics = struct.unpack_from('<I', data, offset + 36)[0]
            self.sections.append(dict(name=name, virtual_size=virtual_size, address=address, raw_size=raw_size,
                                      raw=bytes(data[raw_pointer:raw_pointer + raw_size]),
                                      characteristics=characteristics))

    def directory(self, index):
        return struct.unpack_from('<II', self.data, self.optional + 96 + 8 * index)

    def section_at(self, address):
        for section in self.sections:
            if section['address'] <= address < section['address'] + max(section['virtual_size'], section['raw_size']):
                return section
        return None


def move_dialogs_to_tail(image, section):
    """Lays the resource data out with every dialog template last. Returns
    the dialog bytes, the section offset where they start, and the section's
    new bytes without them: the directory and the other data (icon,
    manifest) stay in the file."""
    raw = section['raw']
    base = section['address']
    entries = []   # (offset of the data entry in the section, type id)

    def walk(offset, depth, type_id):
        named, numbered = struct.unpack_from('<HH', raw, offset + 12)
        for index in range(named + numbered):
            name, target = struct.unpack_from('<II', raw, offset + 16 + 8 * index)
            this_type = name if depth == 0 else type_id
            if target & 0x80000000:
                walk(target & 0x7FFFFFFF, depth + 1, this_type)
            else:
                entries.append((target, this_type))

    walk(0, 0, None)
    if not entries:
        return b'', len(raw), raw
    blobs = []
    for entry, type_id in entries:
        data_address, size = struct.unpack_from('<II', raw, entry)
        blobs.append((entry, type_id, data_address - base, size))
    start = min(offset for _, _, offset, _ in blobs)
    kept = bytearray(raw[:start])
    tail = bytearray()
    placed = []
    for entry, type_id, offset, size in sorted(blobs, key=lambda blob: blob[1] == RT_DIALOG):
        chunk = raw[offset:offset + size]
        if type_id == RT_DIALOG:
            placed.append((entry, 'tail', len(tail)))
            tail += chunk
            tail += b'\0' * (align(len(tail), 4) - len(tail))
        else:
            placed.append((entry, 'kept', len(kept)))
            kept += chunk
            kept += b'\0' * (align(len(kept), 4) - len(kept))
    tail_start = len(kept)
    for entry, where, offset in placed:
        address = base + offset + (tail_start if where == 'tail' else 0)
        struct.pack_into('<I', kept, entry, address)
    return bytes(tail), tail_start, bytes(kept)


def pack(path):
    image = Image(open(path, 'rb').read())
    import_address = image.directory(1)[0]
    ranges = []
    stream = bytearray()
    for section in image.sections:
        if section['name'] in PACKED_SECTIONS:
            length = min(section['raw_size'], section['virtual_size'])
            ranges.append((section['address'], length))
            stream += section['raw'][:length]
            section['raw'] = b''
            section['characteristics'] |= SCN_MEM_WRITE
    rsrc = next((s for s in image.sections if s['name'] == b'.rsrc'), None)
    if rsrc:
        tail, tail_start, kept = move_dialogs_to_tail(image, rsrc)
        if tail:
            ranges.append((rsrc['address'] + tail_start, len(tail)))
            stream += tail
            rsrc['raw'] = kept
            rsrc['virtual_size'] = max(rsrc['virtual_size'], tail_start + len(tail))
            rsrc['characteristics'] |= SCN_MEM_WRITE
    if len(ranges) > MAX_RANGES:
        sys.exit('pack_stub: too many packed parts')
    importer = image.section_at(import_address)
    if importer is None or importer['name'] in PACKED_SECTIONS:
        sys.exit('pack_stub: the import table lies in a packed section')
    packed = zlib.compress(bytes(stream), 9)

    last = max(image.sections, key=lambda s: s['address'])
    stream_address = align(last['address'] + max(last['virtual_size'], last['raw_size']), image.section_alignment)
    image.sections.append(dict(name=b'.packed', virtual_size=len(packed), address=stream_address,
                               raw_size=len(packed), raw=packed,
                               characteristics=SCN_CNT_INITIALIZED_DATA | SCN_MEM_READ))

    # The plan for the unpacker, in the unpacked data.
    plan = struct.pack('<III', stream_address, len(packed), len(ranges))
    plan += b''.join(struct.pack('<II', address, size) for address, size in ranges)
    plan_section = next((s for s in image.sections if SIGNATURE in s['raw']), None)
    if plan_section is None:
        sys.exit('pack_stub: the unpacker is not in the image')
    raw = bytearray(plan_section['raw'])
    at = raw.index(SIGNATURE) + len(SIGNATURE)
    raw[at:at + len(plan)] = plan
    plan_section['raw'] = bytes(raw)

    # The new file: the same headers, then each section's bytes.
    headers_size = struct.unpack_from('<I', image.data, image.optional + 60)[0]
    if image.table + 40 * len(image.sections) > headers_size:
        sys.exit('pack_stub: no room for another section header')
    out = bytearray(image.data[:headers_size])
    struct.pack_into('<H', out, image.pe + 6, len(image.sections))
    position = headers_size
    body = bytearray()
    for index, section in enumerate(image.sections):
        raw = section['raw']
        raw_size = align(len(raw), image.file_alignment) if raw else 0
        pointer = position if raw else 0
        header = struct.pack('<8sIIIIIIHHI', section['name'], section['virtual_size'], section['address'],
                             raw_size, pointer, 0, 0, 0, 0, section['characteristics'])
        out[image.table + 40 * index:image.table + 40 * index + 40] = header
        body += raw + b'\0' * (raw_size - len(raw))
        position += raw_size
    size_of_image = align(stream_address + len(packed), image.section_alignment)
    struct.pack_into('<I', out, image.optional + 56, size_of_image)
    struct.pack_into('<I', out, image.optional + 64, 0)   # no image checksum
    open(path, 'wb').write(bytes(out + body))
    print('-- Stub packed: %d bytes of code, data and dialogs in %d' % (len(stream), len(packed)))


if __name__ == '__main__':
    pack(sys.argv[1])
