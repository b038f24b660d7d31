// SPDX-License-Identifier: GPL-3.0-or-later
// Free Pascal's TDbf as another program that shares a table with ours at the same time:
//   tdbfshare append TABLE.dbf COUNT PREFIX    append COUNT records, ANGL = PREFIX + number, LEK '  1';
//                                             prints "open" once the table is open and waits for a
//                                             line on its input before it starts
//   tdbfshare hold TABLE.dbf RECNO SECONDS     edit record RECNO and hold it; prints "held" once it does
//   tdbfshare edit TABLE.dbf RECNO TEXT        edit record RECNO's ANGL; prints "edited" or "refused"
// Built from TDbf's sources with the lock layout it uses on Windows (the BDE's offsets), where a
// record's lock is at 0xEFFFFFFE minus its number. Exit code 0 when it did its work, 2 on an error.
program tdbfshare;

{$mode objfpc}{$H+}

uses
  SysUtils, Classes, db, dbf, dbf_common, dbf_idxfile;

type
  TEvents = class
    procedure LanguageWarning(Sender: TDbf; var Action: TDbfLanguageAction);
    procedure LocaleError(var Error: TLocaleError; var Solution: TLocaleSolution);
  end;

var
  Events: TEvents;

procedure TEvents.LanguageWarning(Sender: TDbf; var Action: TDbfLanguageAction);
begin
  Action := laDefault;
end;

procedure TEvents.LocaleError(var Error: TLocaleError; var Solution: TLocaleSolution);
begin
  Solution := lsBinary;
end;

function OpenTable(const Path: string): TDbf;
begin
  Result := TDbf.Create(nil);
  Result.OnLanguageWarning := @Events.LanguageWarning;
  Result.OnLocaleError := @Events.LocaleError;
  Result.FilePathFull := ExtractFilePath(ExpandFileName(Path));
  Result.TableName := ExtractFileName(Path);
  Result.Exclusive := False;
  Result.Open;
end;

procedure AppendRecords(const Path: string; Count: Integer; const Prefix: string);
var
  Dbf: TDbf;
  I: Integer;
begin
  Dbf := OpenTable(Path);
  try
    WriteLn('open');
    Flush(Output);
    ReadLn;
    for I := 1 to Count do
    begin
      Dbf.Append;
      Dbf.FieldByName('LEK').AsString := '  1';
      Dbf.FieldByName('ANGL').AsString := Prefix + IntToStr(I);
      Dbf.FieldByName('CES').AsString := IntToStr(I);
      Dbf.Post;
    end;
  finally
    Dbf.Free;
  end;
end;

procedure HoldRecord(const Path: string; RecNo, Seconds: Integer);
var
  Dbf: TDbf;
begin
  Dbf := OpenTable(Path);
  try
    Dbf.PhysicalRecNo := RecNo;
    Dbf.Edit;
    WriteLn('held');
    Flush(Output);
    Sleep(Seconds * 1000);
    Dbf.Cancel;
  finally
    Dbf.Free;
  end;
end;

procedure EditRecord(const Path: string; RecNo: Integer; const Text: string);
var
  Dbf: TDbf;
begin
  Dbf := OpenTable(Path);
  try
    Dbf.PhysicalRecNo := RecNo;
    try
      Dbf.Edit;
    except
      on E: Exception do
      begin
        WriteLn('refused: ', E.Message);
        Exit;
      end;
    end;
    Dbf.FieldByName('ANGL').AsString := Text;
    Dbf.Post;
    WriteLn('edited');
  finally
    Dbf.Free;
  end;
end;

begin
  Events := TEvents.Create;
  try
    if (ParamCount = 4) and (ParamStr(1) = 'append') then
      AppendRecords(ParamStr(2), StrToInt(ParamStr(3)), ParamStr(4))
    else if (ParamCount = 4) and (ParamStr(1) = 'hold') then
      HoldRecord(ParamStr(2), StrToInt(ParamStr(3)), StrToInt(ParamStr(4)))
    else if (ParamCount = 4) and (ParamStr(1) = 'edit') then
      EditRecord(ParamStr(2), StrToInt(ParamStr(3)), ParamStr(4))
    else
    begin
      WriteLn(StdErr, 'usage: tdbfshare append|hold|edit TABLE.dbf ...');
      Halt(2);
    end;
  except
    on E: Exception do
    begin
      WriteLn(StdErr, 'tdbfshare: ', E.ClassName, ': ', E.Message);
      DumpExceptionBackTrace(StdErr);
      Halt(2);
    end;
  end;
  Events.Free;
end.
