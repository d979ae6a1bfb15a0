"""report(): the program's output, byte for byte."""

import datetime
import subprocess

import numpy as np
import pytest

import morvek
from generated_inputs import command_lines


def program_output(program, words):
    return subprocess.run([program, *words], capture_output=True, check=True).stdout.decode("utf-8")


def test_the_programs_output_for_its_arguments(program):
    argument_lists = [[], ["1", "2", "3", "4"], ["31.02.2000"], ["0", "/D"], ["9223372036855"], ["730000", "/J"],
                      ["31.12.2016", "23:59:60"], ["-1500000", "/E6"], ["é", "/U"], ["--help"], ["--version"]]
    argument_lists += [line.split() for line in command_lines(np.random.default_rng(31), 150)]
    for words in argument_lists:
        if words and words[0].startswith("--"):
            # The program's own options are no moment: report() gives the usage text, as a stream line does.
            assert morvek.report(*words) == program_output(program, ["1", "2", "3", "4"])
            continue
        assert morvek.report(*words) == program_output(program, words), words


def test_numbers_are_words_and_the_version_is_the_programs(program):
    assert morvek.report(1483228800, "/U") == morvek.report("1483228800", "/U")
    assert morvek.report(np.int64(736330), "/D") == program_output(program, ["736330", "/D"])
    assert morvek.__version__ == program_output(program, ["--version"]).split()[1]


def test_the_current_time():
    before = datetime.datetime.now(datetime.timezone.utc).date()
    text = morvek.report("/C")
    after = datetime.datetime.now(datetime.timezone.utc).date()
    first_line = text.splitlines()[1]
    assert first_line.endswith("(UTC)")
    assert any(day.strftime("%d.%m.%Y") in first_line for day in {before, after})


def test_arguments_that_are_no_words():
    for bad in [1.5, None, b"1", True, ["1"]]:
        with pytest.raises(TypeError):
            morvek.report(bad)
    with pytest.raises(UnicodeEncodeError):
        morvek.report("\udc80")
