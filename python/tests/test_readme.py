"""The README's Python section, run as written: each >>> line and the
output it shows."""

import doctest
from pathlib import Path

README = Path(__file__).resolve().parents[2] / "README.md"


def python_section():
    text = README.read_text(encoding="utf-8")
    start = text.index("\n## Python\n")
    end = text.index("\n## ", start + 1)
    # A code fence ends an example's output, as a blank line does for doctest.
    return "\n".join("" if line.startswith("```") else line for line in text[start:end].splitlines())


def test_the_readme_examples_print_what_it_shows():
    section = python_section()
    test = doctest.DocTestParser().get_doctest(section, {}, "README.md (Python)", str(README), 0)
    assert len(test.examples) >= 10
    runner = doctest.DocTestRunner(optionflags=doctest.ELLIPSIS)
    runner.run(test)
    result = runner.summarize(verbose=False)
    assert result.failed == 0, f"{result.failed} of {result.attempted} README examples differ (see above)"
