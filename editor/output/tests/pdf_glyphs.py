#!/usr/bin/python3
# Lists what a PDF's pages hold, as a chart-reader app sees it: every glyph with its font,
# box and Unicode text, and every straight line. Coordinates in points from the page's
# top-left corner. Debian's python3-pdfminer.
#
#   pdf_glyphs.py FILE.pdf
# prints, tab-separated:
#   P page width height
#   C page font x0 top x1 bottom text
#   L page x0 top x1 bottom width
import sys

from pdfminer.converter import PDFPageAggregator
from pdfminer.layout import LTChar, LTCurve, LTLine
from pdfminer.pdfinterp import PDFPageInterpreter, PDFResourceManager
from pdfminer.pdfpage import PDFPage


def walk(item):
    yield item
    if hasattr(item, "__iter__") and not isinstance(item, LTChar):
        for child in item:
            yield from walk(child)


def main(path):
    manager = PDFResourceManager()
    device = PDFPageAggregator(manager, laparams=None)
    interpreter = PDFPageInterpreter(manager, device)
    out = sys.stdout
    with open(path, "rb") as f:
        for number, page in enumerate(PDFPage.get_pages(f), start=1):
            interpreter.process_page(page)
            layout = device.get_result()
            height = layout.height
            out.write("P\t%d\t%.3f\t%.3f\n" % (number, layout.width, height))
            for item in walk(layout):
                if isinstance(item, LTChar):
                    text = item.get_text().replace("\t", " ").replace("\n", " ")
                    out.write("C\t%d\t%s\t%.3f\t%.3f\t%.3f\t%.3f\t%s\n" % (
                        number, item.fontname, item.x0, height - item.y1, item.x1, height - item.y0, text))
                elif isinstance(item, LTLine) or (isinstance(item, LTCurve) and len(item.pts) == 2):
                    (x0, y0), (x1, y1) = item.pts[0], item.pts[-1]
                    out.write("L\t%d\t%.3f\t%.3f\t%.3f\t%.3f\t%.3f\n" % (
                        number, x0, height - y0, x1, height - y1, item.linewidth))


if __name__ == "__main__":
    main(sys.argv[1])
