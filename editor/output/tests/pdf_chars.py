#!/usr/bin/python3
# Prints every character of a PDF with its page and box, one per line:
#   page x0 y0 x1 y1 page-height character
# in PDF points from the page's bottom-left corner, as chart-reading programs take them.
import sys

from pdfminer.high_level import extract_pages
from pdfminer.layout import LTChar


def characters(item):
    if isinstance(item, LTChar):
        yield item
    elif hasattr(item, "__iter__"):
        for child in item:
            yield from characters(child)


for number, page in enumerate(extract_pages(sys.argv[1]), 1):
    for ch in characters(page):
        sys.stdout.write(f"{number} {ch.x0:.2f} {ch.y0:.2f} {ch.x1:.2f} {ch.y1:.2f} {page.height:.2f} {ch.get_text()}\n")
