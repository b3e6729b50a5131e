#!/usr/bin/env python3
"""Rebuilds the sample documents: the pages under pages/ (written in UTF-8)
become code page 1250 files in the samples folder, and the pictures are
drawn into samples/obrazky/. Commit the results."""
import os
import sys

import make_images

HERE = os.path.dirname(os.path.abspath(__file__))
SAMPLES = os.path.dirname(HERE)


def main():
    pages = os.path.join(HERE, 'pages')
    for name in sorted(os.listdir(pages)):
        with open(os.path.join(pages, name), encoding='utf-8') as f:
            text = f.read()
        # Strict: a character code page 1250 lacks is an error, not a "?".
        with open(os.path.join(SAMPLES, name), 'wb') as f:
            f.write(text.replace('\n', '\r\n').encode('cp1250'))
    sys.argv = [sys.argv[0], os.path.join(SAMPLES, 'obrazky')]
    make_images.main()


if __name__ == '__main__':
    main()
