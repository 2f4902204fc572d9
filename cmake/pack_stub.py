#!/usr/bin/env python3
"""Packs the setup stub after linking.

The unpacker (the entry point and its constants) lies at the head of the
code section, in the part that the linker fills from the .init sections; it
stays as it is. Everything else that the program holds -- the rest of the
code, its data, the dialog templates -- and the names of the system
functions it calls become one raw deflate stream. The system's import table
keeps only the few functions that the unpacker needs and one of each other
library (so that the loader loads it); the unpacker expands the stream into
spare memory behind the image, copies each part into its place and looks up
the other functions into the program's import slots. The icon, the manifest
and the resource directory stay in the file: the system reads them there.

The result has three sections (code, data, resources), so that the headers
fit in one file-alignment unit and little is lost to padding.

Usage: pack_stub.py IMAGE HEAD_OBJECT   packs IMAGE in place; HEAD_OBJECT is
                                        the compiled unpacker, whose .init
                                        section is the part that stays
       pack_stub.py --runtime-imports IMAGE
                                        prints the functions that the
                                        unpacker of IMAGE looks up
"""
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

PLAN_SIGNATURE = b'Corvel-unpack-2\0'
IMPORT_ROOM_SIGNATURE = b'Corvel-imports-2'
MAX_SLOTS = 12
MAX_RANGES = 4
RT_DIALOG = 5
# The dialogs' part of the resources lies this far into the resource section,
# behind room for the file's part: the package builder rewrites that part (an
# icon of the author's, a version resource) and may make it longer, up to
# the size of a whole stub. It costs address space, not bytes of the file.
RESOURCE_ROOM = 0x10000
SCN_CNT_CODE = 0x20
SCN_CNT_INITIALIZED_DATA = 0x40
SCN_MEM_EXECUTE = 0x20000000
SCN_MEM_READ = 0x40000000
SCN_MEM_WRITE = 0x80000000


def align(value, alignment):
    return (value + alignment - 1) // alignment * alignment


def fail(message):
    sys.exit('pack_stub: ' + message)


class Image:
    def __init__(self, data):
        self.data = bytearray(data)
        self.pe = struct.unpack_from('<I', data, 0x3C)[0]
        if data[self.pe:self.pe + 4] != b'PE\0\0':
            fail('not a PE image')
        self.count = struct.unpack_from('<H', data, self.pe + 6)[0]
        optional_size = struct.unpack_from('<H', data, self.pe + 20)[0]
        self.optional = self.pe + 24
        if struct.unpack_from('<H', data, self.optional)[0] != 0x10B:
            fail('only 32-bit images are packed')
        self.image_base = struct.unpack_from('<I', data, self.optional + 28)[0]
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
        size_of_image = struct.unpack_from('<I', data, self.optional + 56)[0]
        self.memory = bytearray(size_of_image)
        for section in self.sections:
            raw = section['raw'][:max(section['virtual_size'], section['raw_size'])]
            self.memory[section['address']:section['address'] + len(raw)] = raw

    def directory(self, index):
        return struct.unpack_from('<II', self.data, self.optional + 96 + 8 * index)

    def set_directory(self, index, address, size):
        struct.pack_into('<II', self.data, self.optional + 96 + 8 * index, address, size)

    def section(self, name):
        return next((s for s in self.sections if s['name'] == name), None)

    def section_at(self, address):
        for section in self.sections:
            if section['address'] <= address < section['address'] + max(section['virtual_size'], section['raw_size']):
                return section
        return None


def init_section_size(path):
    """The size of the .init section of a COFF object: the unpacker's part."""
    data = open(path, 'rb').read()
    count = struct.unpack_from('<H', data, 2)[0]
    optional_size = struct.unpack_from('<H', data, 16)[0]
    for index in range(count):
        offset = 20 + optional_size + 40 * index
        if data[offset:offset + 8].rstrip(b'\0') == b'.init':
            return struct.unpack_from('<I', data, offset + 16)[0]
    fail('%s has no .init section' % path)


def read_resources(section):
    """The resource tree of a section as {type: {name: {language: (data,
    code page)}}}; every type, name and language is a number."""
    raw = section['raw']

    def entries(offset):
        named, numbered = struct.unpack_from('<HH', raw, offset + 12)
        if named:
            fail('resources with names instead of numbers are not packed')
        for index in range(numbered):
            yield struct.unpack_from('<II', raw, offset + 16 + 8 * index)

    tree = {}
    for type_id, names in entries(0):
        for name, languages in entries(names & 0x7FFFFFFF):
            for language, entry in entries(languages & 0x7FFFFFFF):
                address, size, code_page = struct.unpack_from('<III', raw, entry)
                offset = address - section['address']
                tree.setdefault(type_id, {}).setdefault(name, {})[language] = (raw[offset:offset + size], code_page)
    return tree


def layout_resources(tree, base, start, links, root=True):
    """The directories, data entries and data of a resource tree (or, not at
    the root, of one type's subtree), laid out for the section offset
    `start` of a resource section at image offset `base`. `links` adds root
    entries for subtrees laid out elsewhere: {type: section offset}."""
    out = bytearray()
    blobs = []   # (data entry offset in out, data, code page)

    def directory(items):
        at = len(out)
        out.extend(struct.pack('<IIHHHH', 0, 0, 0, 0, 0, len(items)))
        out.extend(bytes(8 * len(items)))
        return at

    def walk(node, depth):
        at = directory(sorted(node))
        for index, key in enumerate(sorted(node)):
            value = node[key]
            if isinstance(value, int):   # a subtree laid out elsewhere
                target = value | 0x80000000
            elif depth == 2:
                target = start + len(out)
                blobs.append((len(out), value[0], value[1]))
                out.extend(bytes(16))
            else:
                target = (start + walk(value, depth + 1)) | 0x80000000
            struct.pack_into('<II', out, at + 16 + 8 * index, key, target)
        return at

    if root:
        walk({**tree, **links}, 0)
    else:
        walk(tree, 1)
    for entry, data, code_page in blobs:
        out.extend(bytes(align(len(out), 8) - len(out)))
        struct.pack_into('<III', out, entry, base + start + len(out), len(data), code_page)
        out.extend(data)
    out.extend(bytes(align(len(out), 8) - len(out)))
    return bytes(out)


def split_resources(section):
    """Lays out the resources with everything about the dialogs -- their
    part of the directory, their data entries and their templates -- in a
    tail behind the rest. The file keeps the root and the icon and manifest
    (which the system and the shell read from the file); the unpacker writes
    the tail. Returns the file's part and the tail."""
    tree = read_resources(section)
    dialogs = tree.pop(RT_DIALOG, None)
    if not dialogs:
        return layout_resources(tree, section['address'], 0, {}), b''
    tail = layout_resources(dialogs, section['address'], RESOURCE_ROOM, {}, root=False)
    kept = layout_resources(tree, section['address'], 0, {RT_DIALOG: RESOURCE_ROOM})
    if len(kept) > RESOURCE_ROOM:
        fail('the icon and the manifest need more than %d bytes' % RESOURCE_ROOM)
    return kept, tail


def read_imports(image):
    """The import table: per library its name, the image offset of its first
    slot and its functions (names, or ordinals as numbers) in slot order."""
    address, _ = image.directory(1)
    memory = image.memory
    libraries = []
    while True:
        lookup, _, _, name, first = struct.unpack_from('<IIIII', memory, address)
        if not first:
            return libraries
        functions = []
        entry = lookup or first
        while True:
            value = struct.unpack_from('<I', memory, entry)[0]
            if not value:
                break
            if value & 0x80000000:
                functions.append(value & 0xFFFF)
            else:
                functions.append(c_string(memory, value + 2))
            entry += 4
        libraries.append(dict(name=c_string(memory, name), first=first, functions=functions))
        address += 20


def c_string(memory, address):
    return bytes(memory[address:memory.index(b'\0', address)])


def split_imports(libraries, head, head_address, image_base):
    """Chooses what the system's loader still resolves: every slot that the
    unpacker reads, one function of each library (so that the loader loads
    it), and whole libraries that are imported by ordinal or that the
    manifest redirects (the common controls). The rest goes to the
    unpacker's list."""
    referenced = set()
    for offset in range(len(head) - 3):
        value = struct.unpack_from('<I', head, offset)[0] - image_base
        referenced.add(value)
    static, runtime = [], []
    for library in libraries:
        slots = [library['first'] + 4 * index for index in range(len(library['functions']))]
        whole = library['name'].upper().startswith(b'COMCTL32') or \
            any(isinstance(function, int) for function in library['functions'])
        kept = [index for index, slot in enumerate(slots) if whole or slot in referenced]
        if not kept:
            kept = [0]
        static.append(dict(name=library['name'], functions=[(library['functions'][i], slots[i]) for i in kept]))
        if not whole:
            runtime.append(library)
    return static, runtime


def import_table(static, address):
    """A complete import table for the functions the loader still resolves,
    laid out for the image offset `address`, with slots of its own. Returns
    the bytes, the (own slot, program slot) pairs and the slots' range."""
    descriptors = 20 * (len(static) + 1)
    slot_count = sum(len(library['functions']) + 1 for library in static)
    lookups = address + descriptors
    slots = lookups + 4 * slot_count
    names = slots + 4 * slot_count
    table = bytearray(descriptors + 8 * slot_count)
    strings = bytearray()
    pairs = []
    index = 0
    for number, library in enumerate(static):
        struct.pack_into('<IIIII', table, 20 * number, lookups + 4 * index, 0, 0,
                         names + len(strings), slots + 4 * index)
        strings += library['name'] + b'\0'
        for function, program_slot in library['functions']:
            if isinstance(function, int):
                value = 0x80000000 | function
            else:
                strings += b'\0' * (len(strings) & 1)
                value = names + len(strings)
                strings += b'\0\0' + function + b'\0'
            struct.pack_into('<I', table, descriptors + 4 * index, value)
            struct.pack_into('<I', table, descriptors + 4 * (slot_count + index), value)
            pairs.append((slots + 4 * index, program_slot))
            index += 1
        index += 1
    return bytes(table + strings), pairs, (slots, 4 * slot_count)


def import_list(runtime):
    """The unpacker's list: per library its first slot, its name and its
    functions' names, an empty name after each; a zero offset at the end."""
    data = bytearray()
    for library in runtime:
        data += struct.pack('<I', library['first']) + library['name'] + b'\0'
        for function in library['functions']:
            data += function + b'\0'
        data += b'\0'
    return bytes(data + struct.pack('<I', 0))


def runtime_imports(path):
    """The functions that the unpacker of a packed image looks up, as
    (library, function) pairs, read back from the file."""
    image = Image(open(path, 'rb').read())
    text = image.section(b'.text')
    at = text['raw'].find(PLAN_SIGNATURE) if text else -1
    if at < 0:
        return []
    stream, stream_size, _, expanded_size, range_count = struct.unpack_from('<IIIII', text['raw'], at + 16)
    if not stream_size:
        return []
    ranges = struct.unpack_from('<%dI' % (2 * range_count), text['raw'], at + 36)
    data = zlib.decompressobj(-15).decompress(bytes(image.memory[stream:stream + stream_size]))
    if len(data) != expanded_size:
        fail('the packed stream of %s does not expand to its size' % path)
    offset = sum(ranges[1::2])
    found = []
    while True:
        if not struct.unpack_from('<I', data, offset)[0]:
            return found
        library, offset = next_string(data, offset + 4)
        while True:
            function, offset = next_string(data, offset)
            if not function:
                break
            found.append((library, function))


def next_string(data, offset):
    end = data.index(b'\0', offset)
    return data[offset:end], end + 1


def deflate(data):
    """Raw deflate data, as small as the tools at hand make it: zopfli's
    exhaustive search gives about 4 % less than zlib's best."""
    compressor = zlib.compressobj(9, zlib.DEFLATED, -15, 9)
    packed = compressor.compress(data) + compressor.flush()
    zopfli = shutil.which('zopfli')
    if zopfli:
        with tempfile.TemporaryDirectory() as folder:
            source = os.path.join(folder, 'stream')
            open(source, 'wb').write(data)
            result = subprocess.run([zopfli, '--deflate', '-c', source], capture_output=True)
        if result.returncode == 0 and zlib.decompressobj(-15).decompress(result.stdout) == data:
            packed = min(packed, result.stdout, key=len)
    return packed


def pack(path, head_object):
    image = Image(open(path, 'rb').read())
    sections = sorted(image.sections, key=lambda s: s['address'])
    text, rsrc = sections[0], sections[-1]
    if text['name'] != b'.text' or rsrc['name'] != b'.rsrc':
        fail('the image does not run from .text to .rsrc')
    head_size = init_section_size(head_object)
    if head_size > text['raw_size']:
        fail('the unpacker is not at the head of the code section')
    head = bytearray(text['raw'][:head_size])

    # The import table: the loader fills a few slots from a table of its own
    # in the unpacker's part (which is never overwritten, for anything that
    # reads the table later); the unpacker looks up the rest.
    importer = image.section_at(image.directory(1)[0])
    if importer is not sections[-2] or importer is sections[1]:
        fail('the import table is not in a data section of its own before the resources')
    static, runtime = split_imports(read_imports(image), head, text['address'], image.image_base)
    room = head.find(IMPORT_ROOM_SIGNATURE)
    if room < 0:
        fail('the unpacker has no room for the import table')
    room_size = struct.unpack_from('<I', head, room + len(IMPORT_ROOM_SIGNATURE))[0]
    table, slot_pairs, slot_range = import_table(static, text['address'] + room)
    if len(table) > room_size:
        fail('the import table needs %d bytes, the unpacker has room for %d' % (len(table), room_size))
    if len(slot_pairs) > MAX_SLOTS:
        fail('the loader would fill %d slots, the unpacker copies %d' % (len(slot_pairs), MAX_SLOTS))
    head[room:room + room_size] = table + b'\0' * (room_size - len(table))
    image.set_directory(1, text['address'] + room, 20 * (len(static) + 1))
    image.set_directory(11, 0, 0)
    image.set_directory(12, *slot_range)

    # The packed parts: the code behind the unpacker; the data sections
    # before the one with the import slots (which starts out empty and is
    # filled by the loader and the unpacker) up to their last byte that is
    # not zero (the unpacker clears the place of the stream before it copies
    # the parts); the dialog templates. Then the unpacker's list of functions.
    data_start = sections[1]['address']
    data_end = len(image.memory[:importer['address']].rstrip(b'\0'))
    ranges = [(text['address'] + head_size, text['virtual_size'] - head_size),
              (data_start, max(data_end - data_start, 0))]
    kept, tail = split_resources(rsrc)
    tail_start = RESOURCE_ROOM if tail else len(kept)
    if tail:
        end = rsrc['address'] + tail_start + len(tail)
        image.memory.extend(bytes(max(end - len(image.memory), 0)))
        image.memory[rsrc['address'] + tail_start:end] = tail
        ranges.append((rsrc['address'] + tail_start, len(tail)))
    image.set_directory(2, rsrc['address'], tail_start + len(tail))
    stream = b''.join(bytes(image.memory[address:address + size]) for address, size in ranges)
    stream += import_list(runtime)
    packed = deflate(stream)
    if len(packed) > importer['address'] - data_start:
        fail('the packed stream does not fit before the import slots')

    # Three sections: the code with the unpacker in the file; all data, with
    # the packed stream in the file (the unpacker reads it before it copies
    # the data over it); the resources with the icon and the manifest in the
    # file, the dialog templates and the space the stream is expanded into
    # behind. Every one of them is written by the unpacker.
    scratch = align(rsrc['address'] + max(rsrc['virtual_size'], tail_start + len(tail)), 16)
    scratch_end = scratch + len(stream) + 4
    layout = [
        dict(name=b'.text', address=text['address'], virtual_size=text['virtual_size'], raw=bytes(head),
             characteristics=SCN_CNT_CODE | SCN_MEM_EXECUTE | SCN_MEM_READ | SCN_MEM_WRITE),
        dict(name=b'.data', address=data_start, virtual_size=rsrc['address'] - data_start, raw=packed,
             characteristics=SCN_CNT_INITIALIZED_DATA | SCN_MEM_READ | SCN_MEM_WRITE),
        dict(name=b'.rsrc', address=rsrc['address'], virtual_size=scratch_end - rsrc['address'], raw=kept,
             characteristics=SCN_CNT_INITIALIZED_DATA | SCN_MEM_READ | SCN_MEM_WRITE),
    ]

    # The plan for the unpacker, in its own part.
    plan = struct.pack('<IIIII', data_start, len(packed), scratch, len(stream), len(ranges))
    plan += b''.join(struct.pack('<II', address, size) for address, size in ranges)
    plan += b'\0' * (8 * (MAX_RANGES - len(ranges)))
    plan += struct.pack('<I', len(slot_pairs)) + b''.join(struct.pack('<II', *pair) for pair in slot_pairs)
    at = head.find(PLAN_SIGNATURE)
    if at < 0:
        fail('the unpacker is not in the image')
    at += len(PLAN_SIGNATURE)
    head[at:at + len(plan)] = plan
    layout[0]['raw'] = bytes(head)

    # The new file: the headers, shortened to one file-alignment unit where
    # the three section headers fit, then each section's bytes.
    table_end = image.table + 40 * len(layout)
    headers_size = align(table_end, image.file_alignment)
    out = bytearray(image.data[:headers_size])
    out[image.table:headers_size] = bytes(headers_size - image.table)
    struct.pack_into('<H', out, image.pe + 6, len(layout))
    position = headers_size
    body = bytearray()
    for index, section in enumerate(layout):
        raw = section['raw']
        raw_size = align(len(raw), image.file_alignment)
        header = struct.pack('<8sIIIIIIHHI', section['name'], section['virtual_size'], section['address'],
                             raw_size, position, 0, 0, 0, 0, section['characteristics'])
        out[image.table + 40 * index:image.table + 40 * index + 40] = header
        body += raw + b'\0' * (raw_size - len(raw))
        position += raw_size
    code_size = align(text['virtual_size'], image.section_alignment)
    data_size = align(scratch_end, image.section_alignment) - data_start
    struct.pack_into('<III', out, image.optional + 4, code_size, data_size, 0)
    struct.pack_into('<II', out, image.optional + 20, text['address'], data_start)
    struct.pack_into('<I', out, image.optional + 56, align(scratch_end, image.section_alignment))
    struct.pack_into('<I', out, image.optional + 60, headers_size)
    struct.pack_into('<I', out, image.optional + 64, 0)   # no image checksum
    open(path, 'wb').write(bytes(out + body))
    print('-- Stub packed: %d bytes of code, data, dialogs and %d function names in %d; %d functions left to the loader'
          % (len(stream), sum(len(library['functions']) for library in runtime), len(packed), len(slot_pairs)))


if __name__ == '__main__':
    if sys.argv[1] == '--runtime-imports':
        for library, function in runtime_imports(sys.argv[2]):
            print('%s!%s' % (library.decode().upper(), function.decode()))
    else:
        pack(sys.argv[1], sys.argv[2])
