#!/usr/bin/env python3
"""Checks that every relative link in README.md and docs/*.md leads to an
existing file and, when it names one, an anchor that file's headings make
(as GitHub makes them). Usage: links_test.py SOURCE_DIR"""
import re
import sys
from pathlib import Path

LINK = re.compile(r'!?\[[^\]]*\]\(([^)\s]+)\)')


def prose(text):
    """The text without fenced blocks and code spans, where a link is no link."""
    text = re.sub(r'^```.*?^```', '', text, flags=re.M | re.S)
    return re.sub(r'`[^`]*`', '', text)


def anchors(path):
    seen = {}
    for line in prose(path.read_text(encoding='utf-8')).splitlines():
        heading = re.match(r'#{1,6}\s+(.*?)\s*#*\s*$', line)
        if not heading:
            continue
        text = re.sub(r'\[([^\]]*)\]\([^)]*\)', r'\1', heading.group(1))
        slug = re.sub(r'[^\w\- ]', '', text.lower()).replace(' ', '-')
        count = seen.get(slug, 0)
        seen[slug] = count + 1
        yield slug if count == 0 else f'{slug}-{count}'


def main():
    root = Path(sys.argv[1]).resolve()
    documents = [root / 'README.md'] + sorted((root / 'docs').glob('*.md'))
    faults = []
    for doc in documents:
        for target in LINK.findall(prose(doc.read_text(encoding='utf-8'))):
            if re.match(r'[a-z]+:', target):
                continue  # a web address, not a file of the project
            file_part, _, anchor = target.partition('#')
            linked = (doc.parent / file_part).resolve() if file_part else doc
            where = f'{doc.relative_to(root)}: {target}'
            if not linked.exists():
                faults.append(f'{where}: no such file')
            elif anchor and (linked.suffix != '.md' or anchor not in set(anchors(linked))):
                faults.append(f'{where}: no such heading')
    for fault in faults:
        print(fault)
    print(f'{len(documents)} documents, {len(faults)} broken links')
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main())
