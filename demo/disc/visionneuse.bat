@echo off
rem Opens the slideshow kept beside this file in the default browser.
start "" "%~dp0diaporama.html"
